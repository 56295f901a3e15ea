// Lines of a job's log, kept and passed on to its view.

#include "job/logstream.h"

void LogStream::WriteLine(const QString &text)
{
    if (!m_enabled || !m_view)
        return;
    const QString line = text + QStringLiteral("\r\n");
    m_text += line;
    m_view->AppendText(line);
}

void LogStream::ClearLog()
{
    m_text.clear();
    if (m_view)
        m_view->ClearText();
}
