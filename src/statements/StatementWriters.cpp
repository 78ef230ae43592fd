#include "statements/StatementWriters.h"

#include <algorithm>

namespace mpsec {

StatementWriters::StatementWriters(Writer write, unsigned workers)
    : write_(std::move(write)), workers_(std::max(1u, workers)) {}

StatementWriters::~StatementWriters() {
    Stop();
    Finish();
}

unsigned StatementWriters::DefaultWorkers() {
    // One more than the cores: a worker waiting for its file to reach the disk then
    // leaves no core idle.
    return std::max(1u, std::thread::hardware_concurrency()) + 1;
}

bool StatementWriters::Submit(ComposedDocument&& document, const std::string& path,
                              std::chrono::milliseconds patience) {
    std::unique_lock lock(mutex_);
    if (stopping_ || finishing_)
        return false;
    const std::size_t sequence = handed_;
    // One at a time, or the first of a run: written here and now.
    if (workers_ == 1 || handed_ == 0) {
        ++handed_;
        slots_.emplace_back();
        lock.unlock();
        Status result = write_(document, path);
        Record(sequence, {path, std::move(result)});
        return true;
    }
    if (threads_.empty())
        for (unsigned i = 0; i < workers_; ++i)
            threads_.emplace_back([this] { Work(); });
    auto room = [this] { return queue_.size() < 2 * workers_ || stopping_; };
    if (patience == std::chrono::milliseconds::max())
        roomOrDone_.wait(lock, room);
    else if (!roomOrDone_.wait_for(lock, patience, room))
        return false;
    if (stopping_)
        return false;
    ++handed_;
    slots_.emplace_back();
    queue_.push_back({sequence, std::move(document), path});
    jobReady_.notify_one();
    return true;
}

void StatementWriters::Work() {
    for (;;) {
        std::unique_lock lock(mutex_);
        jobReady_.wait(lock, [this] { return !queue_.empty() || stopping_ || finishing_; });
        if (queue_.empty())
            return; // stopping or finishing, and nothing left to write
        Job job = std::move(queue_.front());
        queue_.pop_front();
        roomOrDone_.notify_all();
        lock.unlock();
        Status result = write_(job.Document, job.Path);
        Record(job.Sequence, {std::move(job.Path), std::move(result)});
    }
}

void StatementWriters::Record(std::size_t sequence, Written written) {
    std::lock_guard lock(mutex_);
    Slot& slot = slots_[sequence - taken_];
    slot.Now = State::Done;
    slot.Result = std::move(written);
    roomOrDone_.notify_all();
}

void StatementWriters::Stop() {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (const Job& job : queue_)
        slots_[job.Sequence - taken_].Now = State::Dropped;
    queue_.clear();
    jobReady_.notify_all();
    roomOrDone_.notify_all();
}

void StatementWriters::Finish() {
    {
        std::lock_guard lock(mutex_);
        finishing_ = true;
        jobReady_.notify_all();
    }
    for (std::thread& t : threads_)
        t.join();
    threads_.clear();
}

std::vector<StatementWriters::Written> StatementWriters::TakeWritten() {
    std::vector<Written> written;
    std::lock_guard lock(mutex_);
    while (!slots_.empty() && slots_.front().Now != State::Pending) {
        if (slots_.front().Now == State::Done)
            written.push_back(std::move(slots_.front().Result));
        slots_.pop_front();
        ++taken_;
    }
    return written;
}

} // namespace mpsec
