#pragma once

#include <glog/logging.h>

#include <mutex>
#include <string>
#include <vector>

/// Collects the warnings and errors logged through glog while it exists.
class LogCapture : public google::LogSink {
public:
    LogCapture() { google::AddLogSink(this); }
    ~LogCapture() override { google::RemoveLogSink(this); }

    using google::LogSink::send;
    void send(google::LogSeverity severity, const char*, const char*, int, const google::LogMessageTime&,
              const char* message, size_t length) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (severity == google::GLOG_WARNING)
            m_warnings.emplace_back(message, length);
        else if (severity == google::GLOG_ERROR)
            m_errors.emplace_back(message, length);
    }

    std::vector<std::string> Warnings() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_warnings;
    }
    std::vector<std::string> Errors() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_errors;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_warnings;
    std::vector<std::string> m_errors;
};
