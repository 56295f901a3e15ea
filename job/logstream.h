// A job's log and where it is shown: the progress window, a terminal, a test.
#pragma once

#include <QString>

// Where a job's log goes: the progress window's memo, a terminal, a test.
class LogView
{
public:
    virtual ~LogView() = default;
    // Appends text that ends in CR LF and shows the last line.
    virtual void AppendText(const QString &text) = 0;
    virtual void ClearText() = 0;
};

// The job's log. It writes only while enabled and attached to a view; lines
// are never cut or limited in number.
class LogStream
{
public:
    void Attach(LogView *view) { m_view = view; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    void WriteLine(const QString &text);
    void ClearLog();
    // Everything written since the last ClearLog.
    const QString &text() const { return m_text; }

private:
    LogView *m_view = nullptr;
    bool m_enabled = false;
    QString m_text;
};
