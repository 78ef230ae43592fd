#include "help/HelpWindow.h"

#include "core/SystemCalls.h"
#include "platform/Platform.h"
#include "print/PageRenderer.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace mpsec {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("mpsec Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    LoadProgramResources();
    QFile guide(QStringLiteral(":/guide.md"));
    if (guide.open(QIODevice::ReadOnly))
        sections_ = SplitGuide(GuideFor(guide.readAll().toStdString(), os::SystemName()));
    contents_ = new QListWidget(this);
    for (const GuideSection& section : sections_)
        contents_->addItem(QString::fromStdString(section.Title));
    contents_->setMaximumWidth(260);
    text_ = new QTextBrowser(this);
    text_->setOpenExternalLinks(false);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* columns = new QHBoxLayout;
    columns->addWidget(contents_);
    columns->addWidget(text_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(close);
    resize(860, 560);
    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(sections_.size()))
            text_->setMarkdown(QString::fromStdString("## " + sections_[row].Title + "\n\n" +
                                                      sections_[row].Text));
    });
    if (!sections_.empty())
        contents_->setCurrentRow(0);
}

void HelpWindow::showSection(const QString& title) {
    const auto found = contents_->findItems(title, Qt::MatchExactly);
    contents_->setCurrentRow(found.isEmpty() ? 0 : contents_->row(found.first()));
}

QString HelpWindow::currentSection() const {
    return contents_->currentItem() ? contents_->currentItem()->text() : QString();
}

HelpKey::HelpKey(HelpWindow& window, Platform& platform, QObject* parent)
    : QObject(parent), window_(window), platform_(platform) {
    setObjectName(QStringLiteral("HelpKey"));
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        !watched->isWidgetType())
        return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window == &window_ || window_.isVisible())
        return true;
    window_.showSection(
        QString::fromStdString(HelpSectionFor(window->windowTitle().toStdString())));
    platform_.RunModal(window_);
    return true;
}

} // namespace mpsec
