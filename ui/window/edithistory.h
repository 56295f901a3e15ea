// Undo and redo of the tables' changes.
#pragma once

#include "model/tablesnapshot.h"
#include "ui/app/dialogseam.h"

#include <QObject>
#include <QString>

#include <functional>

class QUndoStack;

// Undo, redo and "unsaved" for the tables of the main window. The window
// changes its model in place (the channel editor, the settings pages, a read)
// and afterwards tells the history what it did: Record compares the tables
// with the state last recorded and, when they differ, keeps both as one undo
// step. Undo and redo put a whole state back, so the tables come back exactly
// as they were.
class EditHistory : public QObject
{
    Q_OBJECT
public:
    // Steps kept; older ones fall off.
    static constexpr int Limit = 100;

    EditHistory(ChannelsContext &channels, SettingsContext &settings, QObject *parent = nullptr);
    ~EditHistory() override;

    QUndoStack *stack() const { return m_stack; }

    // The tables now, as values.
    TablesSnapshot Now() const;

    // One undo step named `text` from the state last recorded to the tables
    // now; nothing when a file or the radio would get the same from both. Steps
    // in a row with the same nonempty `mergeKey` (one control of the settings
    // pages) become one, and one that ends where it began disappears.
    bool Record(const QString &text, const QString &mergeKey = QString());
    // The tables now become the recorded state without a step: a refresh or a
    // save put something in order that the user did not change.
    void Adopt();
    // Puts `state` into the model without a step: a radio exchange that failed
    // leaves the tables as they were before it.
    void Restore(const TablesSnapshot &state);
    // The tables now are what a file or the radio holds.
    void MarkSaved();
    // Forgets every step.
    void Clear();

    // Opening a file: its tables replace the window's, the history starts
    // anew with them, and the channels outside the current range are removed
    // as the one step that undo can take back; the result is the saved state.
    // Returns the channels removed.
    QList<int> Open(const ConfigurationDocument::Contents &contents, const QString &removalText);

    // The tables differ from the last ones opened, saved, read or written.
    bool IsModified() const;
    bool CanUndo() const;
    bool CanRedo() const;
    QString UndoText() const;
    QString RedoText() const;

    // A change not recorded yet is recorded first, so undo takes it back.
    void Undo();
    void Redo();

    // Called by the steps.
    void Apply(const TablesSnapshot &state);

signals:
    // Undo or redo changed the tables: the window shows them again.
    void tablesRestored();
    // IsModified changed.
    void modifiedChanged(bool modified);
    // What undo and redo would do changed.
    void stepsChanged();

private:
    void Notify();

    ChannelsContext &m_channels;
    SettingsContext &m_settings;
    QUndoStack *m_stack;
    TablesSnapshot m_recorded;
    TablesSnapshot m_saved;
    bool m_modified = false;
};

// The window's caption with a leading "*" while there are unsaved changes.
QString MarkedCaption(const QString &caption, bool modified);

// Whether an action that replaces the tables may go on. Unmodified tables need
// no question; "Сохранить" goes on only when the tables were then saved (the
// user may cancel the file dialog, or the save may fail).
bool GoOnWithUnsaved(bool modified, const std::function<DialogSeam::SaveChoice()> &ask,
                     const std::function<bool()> &save);
