// Undo and redo of the tables' changes.

#include "ui/window/edithistory.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

// Steps with a merge key share this id; mergeWith then compares the keys.
constexpr int kMergeableId = 1;

// One change of the tables: the whole state before and after it.
class TablesStep : public QUndoCommand
{
public:
    TablesStep(EditHistory &history, const TablesSnapshot &before, const TablesSnapshot &after,
               const QString &text, const QString &mergeKey)
        : QUndoCommand(text), m_history(history), m_before(before), m_after(after), m_key(mergeKey)
    {
    }

    void undo() override { m_history.Apply(m_before); }
    void redo() override
    {
        // Pushed after the change was made: only a later redo applies it.
        if (m_done)
            m_history.Apply(m_after);
        m_done = true;
    }
    int id() const override { return m_key.isEmpty() ? -1 : kMergeableId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const TablesStep *>(other);
        if (next->m_key != m_key)
            return false;
        m_after = next->m_after;
        setObsolete(m_before.SameTables(m_after));
        return true;
    }

private:
    EditHistory &m_history;
    TablesSnapshot m_before;
    TablesSnapshot m_after;
    QString m_key;
    bool m_done = false;
};

} // namespace

EditHistory::EditHistory(ChannelsContext &channels, SettingsContext &settings, QObject *parent)
    : QObject(parent), m_channels(channels), m_settings(settings), m_stack(new QUndoStack(this))
{
    m_stack->setUndoLimit(Limit);
    m_recorded = m_saved = Now();
    connect(m_stack, &QUndoStack::indexChanged, this, &EditHistory::stepsChanged);
}

EditHistory::~EditHistory() = default;

TablesSnapshot EditHistory::Now() const
{
    return TablesSnapshot::Of(m_channels, m_settings);
}

bool EditHistory::Record(const QString &text, const QString &mergeKey)
{
    const TablesSnapshot now = Now();
    if (now.SameTables(m_recorded)) {
        // The programming counter may have moved; keep it current.
        m_recorded = now;
        Notify();
        return false;
    }
    const TablesSnapshot before = m_recorded;
    m_recorded = now;
    m_stack->push(new TablesStep(*this, before, now, text, mergeKey));
    Notify();
    return true;
}

void EditHistory::Adopt()
{
    m_recorded = Now();
    Notify();
}

void EditHistory::Restore(const TablesSnapshot &state)
{
    state.ApplyTo(m_channels, m_settings);
    m_recorded = state;
    Notify();
}

void EditHistory::MarkSaved()
{
    m_saved = Now();
    Notify();
}

void EditHistory::Clear()
{
    m_stack->clear();
    Notify();
}

QList<int> EditHistory::Open(const ConfigurationDocument::Contents &contents, const QString &removalText)
{
    Clear();
    Restore(TablesSnapshot::FromFile(contents, Now()));
    const auto opened = m_channels.channels;
    m_channels.RemoveOutOfRange();
    Record(removalText);
    MarkSaved();
    return ChannelsContext::Removed(opened, m_channels.channels);
}

bool EditHistory::IsModified() const
{
    return !Now().SameTables(m_saved);
}

bool EditHistory::CanUndo() const
{
    return m_stack->canUndo();
}

bool EditHistory::CanRedo() const
{
    return m_stack->canRedo();
}

QString EditHistory::UndoText() const
{
    return m_stack->undoText();
}

QString EditHistory::RedoText() const
{
    return m_stack->redoText();
}

void EditHistory::Undo()
{
    Record(tr("изменение таблиц"));
    m_stack->undo();
    Notify();
}

void EditHistory::Redo()
{
    // A change not recorded yet would be lost by redoing over it; recording it
    // ends the redo steps instead.
    Record(tr("изменение таблиц"));
    m_stack->redo();
    Notify();
}

void EditHistory::Apply(const TablesSnapshot &state)
{
    state.ApplyTo(m_channels, m_settings);
    m_recorded = state;
    emit tablesRestored();
}

void EditHistory::Notify()
{
    const bool modified = IsModified();
    if (modified != m_modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
    emit stepsChanged();
}

QString MarkedCaption(const QString &caption, bool modified)
{
    QString plain = caption;
    while (plain.startsWith(QLatin1Char('*')))
        plain.remove(0, 1);
    return modified ? QLatin1Char('*') + plain : plain;
}

bool GoOnWithUnsaved(bool modified, const std::function<DialogSeam::SaveChoice()> &ask,
                     const std::function<bool()> &save)
{
    if (!modified)
        return true;
    switch (ask()) {
    case DialogSeam::SaveChoice::Save:
        return save();
    case DialogSeam::SaveChoice::Discard:
        return true;
    case DialogSeam::SaveChoice::Cancel:
        break;
    }
    return false;
}
