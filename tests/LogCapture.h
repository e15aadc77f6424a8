#pragma once

#include <glog/logging.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

/// Collects the messages logged through glog while it exists.
class LogCapture : public google::LogSink {
public:
    LogCapture() { google::AddLogSink(this); }
    ~LogCapture() override { google::RemoveLogSink(this); }

    using google::LogSink::send;
    void send(google::LogSeverity severity, const char*, const char*, int, const google::LogMessageTime&,
              const char* message, size_t length) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_messages[severity].emplace_back(message, length);
    }

    std::vector<std::string> Infos() const { return Of(google::GLOG_INFO); }
    std::vector<std::string> Warnings() const { return Of(google::GLOG_WARNING); }
    std::vector<std::string> Errors() const { return Of(google::GLOG_ERROR); }

private:
    std::vector<std::string> Of(google::LogSeverity severity) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_messages.find(severity);
        return found == m_messages.end() ? std::vector<std::string>() : found->second;
    }

    mutable std::mutex m_mutex;
    std::map<google::LogSeverity, std::vector<std::string>> m_messages;
};
