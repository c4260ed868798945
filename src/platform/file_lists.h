#pragma once
#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <vector>

namespace vesdra {

// ---- Listing logic, free of widgets ----------------------------------------

// A mounted volume stands for a drive: its root folder is the "drive".
struct Volume {
    QString Root;  // "/", "/media/usb"
    QString Label; // may be empty
    bool Ready{true};
};

// The mounted volumes holding files (system pseudo file systems left out),
// "/" first, then by root. Tests may replace the source.
[[nodiscard]] std::vector<Volume> MountedVolumes();
void SetVolumeSourceForTests(std::function<std::vector<Volume>()> source);

// The volume root holding a path (the longest root that is a prefix of it);
// "/" when none matches.
[[nodiscard]] QString DriveOfPath(const QString& path);

// The text of a drive list entry: the root, then " [label]" when there is one.
[[nodiscard]] QString DriveEntryText(const Volume& volume);

// True when the file name matches one of the patterns separated by ";"
// ("*.CNF;*.cnf"), compared without regard to case as the file system of the
// records does: "*.CNF" matches x.cnf. "*.*" also matches a name without a
// dot. An empty pattern matches every name.
[[nodiscard]] bool MatchesFilePattern(QStringView fileName, QStringView patterns);

// The sub-folders of a folder, by name (case-insensitive order), hidden ones
// and "." ".." left out.
[[nodiscard]] QStringList ListFolders(const QString& folder);
// The ordinary files of a folder that match the patterns, by name
// (case-insensitive order).
[[nodiscard]] QStringList ListFiles(const QString& folder, QStringView patterns);

// A folder path made absolute and clean, without a trailing separator except
// for the root "/".
[[nodiscard]] QString CleanFolder(const QString& folder);

// ---- The three list controls -----------------------------------------------
//
// Change notifications run at once, also when code sets the property, and
// only when the value really changes. Forms chain them: a drive change sets
// the directory list's Path, whose change sets the file list's Path.

// Drive list: one entry per mounted volume.
class DriveListBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // The chosen drive's root. Setting it to any path chooses the volume that
    // holds it; a volume that is not ready throws VbError 68 and the choice
    // stays as it was.
    [[nodiscard]] QString Drive() const { return drive_; }
    void SetDrive(const QString& path);

    [[nodiscard]] int ListCount() const { return static_cast<int>(volumes_.size()); }
    [[nodiscard]] QString List(int index) const; // entry text; "" out of range
    [[nodiscard]] int ListIndex() const { return currentIndex(); }
    void Refresh(); // re-reads the volumes

signals:
    void Change();

protected:
    // Changing drive is a deliberate choice: the keys that would step to
    // another drive in the closed list (arrows, pages, Home, End, a typed
    // letter) open the list instead, where the arrows move and Enter
    // chooses; the mouse wheel changes nothing.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnActivated(int index);
    std::vector<Volume> volumes_;
    QString drive_;
};

// Directory list: the sub-folders of Path.
class DirListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    // Setting Path to a folder that does not exist throws VbError 76, to a
    // volume that is not ready VbError 68; Path is then unchanged.
    [[nodiscard]] QString Path() const { return path_; }
    void SetPath(const QString& folder);

    // List(i), 0 <= i < ListCount: full path of the i-th sub-folder;
    // List(-1) is Path itself and List(-2) its parent. "" otherwise.
    [[nodiscard]] int ListCount() const { return static_cast<int>(folders_.size()); }
    [[nodiscard]] QString List(int index) const;
    // -1 while no sub-folder is selected.
    [[nodiscard]] int ListIndex() const;
    void Refresh();

signals:
    void Change();

protected:
    // Enter opens the folder chosen (the current entry, selected) and goes
    // no further; with no folder chosen it goes on to the dialog, which
    // presses its default button. Either way one thing happens. The first
    // arrow key in a list that stands on an entry without choosing it
    // chooses that entry.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Fill();
    QString path_;
    QStringList folders_; // names
};

// File list: the files of Path matching Pattern.
class FileListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    [[nodiscard]] QString Path() const { return path_; }
    // A folder that does not exist throws VbError 76.
    void SetPath(const QString& folder);
    [[nodiscard]] QString Pattern() const { return pattern_; }
    void SetPattern(const QString& patterns); // "*.*" at first

    // The chosen file's name, without folder; "" when none.
    [[nodiscard]] QString FileName() const;
    // Setting a folder path re-reads that folder (its Path); setting a
    // pattern ("*.cnf") sets Pattern; a "folder/pattern" sets both; a file
    // name of the list selects it (the name as given when two names differ
    // only in case, else one matching without regard to case).
    void SetFileName(const QString& name);

    [[nodiscard]] int ListCount() const { return static_cast<int>(files_.size()); }
    [[nodiscard]] QString List(int index) const;
    [[nodiscard]] int ListIndex() const;
    void SetListIndex(int index);
    // Reads the folder again; when it holds the same files the entries and
    // the selection stay as they are, else the file chosen stays chosen
    // while it is still there.
    void Refresh();

signals:
    void PathChange();
    void PatternChange();
    // The user chose an entry: a click, or the keys moving the selection
    // (arrows, Home, End, pages, a typed name, Space), so that the entry
    // highlighted is always the one chosen. Code that sets the selection
    // gives no Click.
    void Click();
    void DblClick();

protected:
    // The first arrow key in a list that stands on an entry without
    // choosing it (a list just given the keyboard) chooses that entry.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Fill();
    void OnSelectionChanged();
    bool porCodigo_{false};   // the selection is being set by code
    int elegidaAlPulsar_{-1}; // ListIndex when the mouse button went down
    QString path_;
    QString pattern_{QStringLiteral("*.*")};
    QStringList files_;
};

} // namespace vesdra
