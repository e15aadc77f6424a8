#include "demo/StatisticsDock.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTreeWidget>

namespace Tavrel::Demo {

StatisticsDock::StatisticsDock(const QString& logPath, QWidget* parent)
    : QDockWidget(parent), m_logPath(logPath), m_events(new QTreeWidget(this)), m_watcher(new QFileSystemWatcher(this))
{
    setObjectName("statisticsDock");
    m_events->setObjectName("statisticsEvents");
    m_events->setColumnCount(2);
    m_events->setRootIsDecorated(false);
    m_events->setUniformRowHeights(true);
    m_events->setAlternatingRowColors(true);
    m_events->header()->setStretchLastSection(true);
    m_events->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setWidget(m_events);
    Retranslate();

    // The log may not exist yet: the folder's watch notices when it appears.
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &StatisticsDock::ReadNewLines);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &StatisticsDock::ReadNewLines);
    m_watcher->addPath(QFileInfo(m_logPath).absolutePath());
    ReadNewLines();
}

int StatisticsDock::EventCount() const { return m_events->topLevelItemCount(); }

namespace {

// An event line is a few hundred bytes; a longer one is not the tracker's and is skipped.
constexpr qint64 MaxLineBytes = 64 * 1024;
// The dock shows the latest events: a log of a long session opens at its tail.
constexpr qint64 MaxTailBytes = 4 * 1024 * 1024;
constexpr int MaxEvents = 10000;

} // namespace

void StatisticsDock::ReadNewLines()
{
    Watch();
    QFile file(m_logPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (file.size() < m_readOffset) {
        // The log was replaced: start over.
        m_readOffset = 0;
        m_skippingLine = false;
        m_events->clear();
    }
    if (m_readOffset == 0 && file.size() > MaxTailBytes) {
        m_readOffset = file.size() - MaxTailBytes;
        m_skippingLine = true; // the cut fell inside a line
    }
    file.seek(m_readOffset);
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(MaxLineBytes + 1); // at most MaxLineBytes
        const bool whole = line.endsWith('\n');
        if (m_skippingLine || (!whole && line.size() == MaxLineBytes)) {
            // Consumed without waiting for the rest of the line, so a huge one is never held whole.
            m_readOffset += line.size();
            m_skippingLine = !whole;
            continue;
        }
        // A line still being written is read in full next time.
        if (!whole)
            break;
        m_readOffset += line.size();
        const QJsonObject event = QJsonDocument::fromJson(line).object();
        if (event.isEmpty())
            continue;
        QStringList parameters;
        const QJsonObject values = event.value("parameters").toObject();
        for (auto it = values.begin(); it != values.end(); ++it)
            parameters << QString("%1=%2").arg(it.key(), it.value().toString());
        auto* item = new QTreeWidgetItem(m_events, {event.value("name").toString(), parameters.join("  ")});
        item->setToolTip(1, parameters.join('\n'));
    }
    while (m_events->topLevelItemCount() > MaxEvents)
        delete m_events->takeTopLevelItem(0);
    m_events->scrollToBottom();
}

void StatisticsDock::Watch()
{
    if (!m_watcher->files().contains(m_logPath) && QFileInfo::exists(m_logPath))
        m_watcher->addPath(m_logPath);
}

void StatisticsDock::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QDockWidget::changeEvent(event);
}

void StatisticsDock::Retranslate()
{
    setWindowTitle(tr("Statistics"));
    m_events->setHeaderLabels({tr("Event"), tr("Parameters")});
}

} // namespace Tavrel::Demo
