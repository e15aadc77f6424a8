#pragma once

#include <QDockWidget>

class QFileSystemWatcher;
class QTreeWidget;

namespace Tavrel::Demo {

/// The "Statistics" dock: follows the usage log (one JSON object per line,
/// {"name": ..., "parameters": {...}}) and lists each event as it is appended: the
/// latest 10,000 at most. Lines that are not events, or longer than 64 KiB, are skipped.
class StatisticsDock : public QDockWidget {
    Q_OBJECT
public:
    StatisticsDock(const QString& logPath, QWidget* parent = nullptr);

    const QString& LogPath() const { return m_logPath; }
    /// Reads what was appended since the last read; the file watcher calls it too.
    void ReadNewLines();
    int EventCount() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();
    void Watch();

    const QString m_logPath;
    QTreeWidget* const m_events;
    QFileSystemWatcher* const m_watcher;
    qint64 m_readOffset = 0;
    bool m_skippingLine = false; // inside a line that is skipped up to its end
};

} // namespace Tavrel::Demo
