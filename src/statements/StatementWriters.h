#pragma once
#include "core/Result.h"
#include "print/ComposedPage.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mpsec {

// Writes composed statements as files on worker threads while the caller builds the next
// ones. The caller hands documents in the order of its run; what was written is taken back
// in that same order, so a run reports its files as a one-by-one run would.
//
// With one worker nothing runs on another thread: each document is written when it is
// handed. With more, the first document is still written on the calling thread, so
// whatever the writer sets up once (the print layer, its fonts and pictures) is ready
// before the workers share it; the writer must then be safe to call from several threads
// at once. At most two documents a worker wait to be written, so memory stays flat
// however long the run.
class StatementWriters {
  public:
    using Writer = std::function<Status(const ComposedDocument& document, const std::string& path)>;

    StatementWriters(Writer write, unsigned workers);
    ~StatementWriters(); // stops, finishes what is being written, and joins the workers
    StatementWriters(const StatementWriters&) = delete;
    StatementWriters& operator=(const StatementWriters&) = delete;

    // The workers a run uses by default: one per core, and one more.
    static unsigned DefaultWorkers();

    // Submits a document to be written to `path`. While the workers are full it waits, at
    // most `patience`; false when the document was not taken (it is left as it was, to be
    // handed again) or the run is stopped.
    bool Submit(ComposedDocument&& document, const std::string& path,
                std::chrono::milliseconds patience = std::chrono::milliseconds::max());
    // No further document is started: the ones waiting are dropped, never written.
    void Stop();
    // Waits until every document started (and, unless stopped, every one handed) is
    // written, then ends the workers.
    void Finish();

    struct Written {
        std::string Path;
        Status Result;
    };
    // The documents written since the last call, in the order they were handed, up to
    // the first one still waiting or being written. Dropped documents are not reported.
    std::vector<Written> TakeWritten();

  private:
    struct Job {
        std::size_t Sequence;
        ComposedDocument Document;
        std::string Path;
    };
    enum class State { Pending, Done, Dropped };
    struct Slot {
        State Now = State::Pending;
        Written Result;
    };
    void Work();
    void Record(std::size_t sequence, Written written);

    Writer write_;
    unsigned workers_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable jobReady_, roomOrDone_;
    std::deque<Job> queue_;
    std::deque<Slot> slots_; // from sequence `taken_` on
    std::size_t taken_ = 0, handed_ = 0;
    bool stopping_ = false, finishing_ = false;
};

} // namespace mpsec
