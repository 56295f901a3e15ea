// The ranges the user chooses from, with the one in force, kept in a file between runs.
#pragma once

#include "model/freqrange.h"

#include <QList>
#include <QString>
#include <QStringList>

// The ranges the user can choose from, and the choice. Kept in "KD_config.xml",
// read once at start and written back at exit when it changed.
//
// There is always a current range: the list never ends up empty (a file without
// a usable range gives the default range), and a fresh list holds the default.
class FreqRangeList
{
public:
    static constexpr const char *FileName = "KD_config.xml";
    // More "FreqRange" elements than a list of ours holds make the file unusable.
    static constexpr int MaxRanges = 1000;

    FreqRangeList();

    // Where the list lives for this program: PathFor its own folder.
    static QString DefaultPath();
    // For a program in `programDir`: the per-user configuration folder
    // ("KD_Tune" under it) when the program is installed, which its data
    // folder beside the bin folder tells, or when `programDir` is not
    // writable; else beside the program (a build folder, a copy anywhere).
    static QString PathFor(const QString &programDir);

    // Reads the file; the first range becomes current. Returns false when the
    // file was missing or unusable and the default range stands in for it.
    bool Load(const QString &path);
    // Writes the file (through a temporary, so a failure leaves the old one).
    // An unreadable file found by Load is first kept as "<path>.bak".
    bool Save(const QString &path);

    // Load and Save on a file's bytes.
    bool LoadXml(const QByteArray &data);
    QByteArray ToXml() const;

    void Clear();
    int Add(const FreqRange *range);
    int IndexOf(const FreqRange *range) const;
    bool Select(int index);
    int CurrentIndex() const { return m_index; }
    bool CurrentText(QString &text) const;
    void FillStrings(QStringList &strings) const;

    const FreqRange &Current() const { return m_current; }
    int count() const { return int(m_ranges.size()); }
    const FreqRange &at(int i) const { return m_ranges.at(i); }
    bool modified() const { return m_modified; }

private:
    QList<FreqRange> m_ranges;
    FreqRange m_current;
    int m_index = 0;
    bool m_modified = false;
    QString m_keepAsBackup;  // an existing file that Load could not use
};
