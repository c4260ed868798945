#include "platform/file_lists.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStorageInfo>
#include <QWheelEvent>
#include <algorithm>

#include "platform/base/vb_error.h"
#include "platform/text_box.h"

namespace vesdra {

namespace {

std::function<std::vector<Volume>()>& VolumeSource()
{
    static std::function<std::vector<Volume>()> source;
    return source;
}

bool IsSystemMount(const QStorageInfo& s)
{
    static const QByteArray pseudo[] = {
        "proc",   "sysfs",   "devtmpfs",    "devpts",   "cgroup",   "cgroup2",    "securityfs",
        "pstore", "debugfs", "tracefs",     "configfs", "fusectl",  "mqueue",     "hugetlbfs",
        "bpf",    "autofs",  "binfmt_misc", "nsfs",     "efivarfs", "rpc_pipefs", "squashfs"};
    const QByteArray type = s.fileSystemType();
    for (const QByteArray& p : pseudo)
        if (type == p)
            return true;
    const QString root = s.rootPath();
    if (root == QLatin1String("/"))
        return false;
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/etc"})
        if (root == QLatin1String(system) || root.startsWith(QLatin1String(system) + QLatin1Char('/')))
            return true;
    return false;
}

bool IsUnder(const QString& path, const QString& root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

// The volume holding a path, if any is known.
const Volume* VolumeOf(const std::vector<Volume>& volumes, const QString& path)
{
    const Volume* best = nullptr;
    for (const Volume& v : volumes)
        if (IsUnder(path, v.Root) && (!best || v.Root.size() > best->Root.size()))
            best = &v;
    return best;
}

bool GlobMatch(QStringView name, QStringView pattern)
{
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

// Up or Down in a list whose current entry is not selected (a list just
// given the keyboard stands on its first entry without choosing it) selects
// that entry instead of moving past it: the first arrow key chooses the
// entry the list stands on, and a list of one entry can be chosen at all.
bool ChooseStandingEntry(QListWidget& list, const QKeyEvent& event)
{
    if ((event.key() != Qt::Key_Up && event.key() != Qt::Key_Down) ||
        (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QListWidgetItem* actual = list.currentItem();
    if (!actual || actual->isSelected())
        return false;
    actual->setSelected(true);
    return true;
}

void SortNoCase(QStringList& names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace

std::vector<Volume> MountedVolumes()
{
    if (VolumeSource())
        return VolumeSource()();
    std::vector<Volume> out;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid() || IsSystemMount(s))
            continue;
        if (std::any_of(out.begin(), out.end(), [&](const Volume& v) { return v.Root == s.rootPath(); }))
            continue;
        out.push_back({s.rootPath(), s.name(), s.isReady()});
    }
    std::sort(out.begin(), out.end(), [](const Volume& a, const Volume& b) {
        if ((a.Root == QLatin1String("/")) != (b.Root == QLatin1String("/")))
            return a.Root == QLatin1String("/");
        return a.Root < b.Root;
    });
    if (out.empty() || out.front().Root != QLatin1String("/"))
        out.insert(out.begin(), Volume{QStringLiteral("/"), {}, true});
    return out;
}

void SetVolumeSourceForTests(std::function<std::vector<Volume>()> source)
{
    VolumeSource() = std::move(source);
}

QString CleanFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(QDir::fromNativeSeparators(folder)).absolutePath());
}

QString DriveOfPath(const QString& path)
{
    const std::vector<Volume> volumes = MountedVolumes();
    const Volume* v = VolumeOf(volumes, CleanFolder(path));
    return v ? v->Root : QStringLiteral("/");
}

QString DriveEntryText(const Volume& volume)
{
    return volume.Label.isEmpty() ? volume.Root
                                  : volume.Root + QStringLiteral(" [") + volume.Label + QLatin1Char(']');
}

bool MatchesFilePattern(QStringView fileName, QStringView patterns)
{
    bool any = false;
    for (QStringView p : patterns.split(QLatin1Char(';'))) {
        p = p.trimmed();
        if (p.isEmpty())
            continue;
        any = true;
        if (p == QLatin1String("*.*") || GlobMatch(fileName, p))
            return true;
    }
    return !any;
}

QStringList ListFolders(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    SortNoCase(names);
    return names;
}

QStringList ListFiles(const QString& folder, QStringView patterns)
{
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot))
        if (MatchesFilePattern(name, patterns))
            names.append(name);
    SortNoCase(names);
    return names;
}

// ---- DriveListBox -------------------------------------------------------------

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    Refresh();
    const std::vector<Volume> volumes = volumes_;
    const Volume* v = VolumeOf(volumes, CleanFolder(QDir::currentPath()));
    drive_ = v ? v->Root : (volumes_.empty() ? QStringLiteral("/") : volumes_.front().Root);
    for (int i = 0; i < ListCount(); ++i)
        if (volumes_[static_cast<std::size_t>(i)].Root == drive_)
            setCurrentIndex(i);
    connect(this, &QComboBox::activated, this, &DriveListBox::OnActivated);
}

void DriveListBox::Refresh()
{
    volumes_ = MountedVolumes();
    const QSignalBlocker block(this);
    clear();
    for (const Volume& v : volumes_)
        addItem(DriveEntryText(v));
    for (int i = 0; i < ListCount(); ++i)
        if (volumes_[static_cast<std::size_t>(i)].Root == drive_)
            setCurrentIndex(i);
}

QString DriveListBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? itemText(index) : QString();
}

void DriveListBox::SetDrive(const QString& path)
{
    Refresh();
    const Volume* v = VolumeOf(volumes_, CleanFolder(path));
    if (!v || !v->Ready)
        throw VbError(vberr::DeviceUnavailable);
    {
        const QSignalBlocker block(this);
        for (int i = 0; i < ListCount(); ++i)
            if (volumes_[static_cast<std::size_t>(i)].Root == v->Root)
                setCurrentIndex(i);
    }
    if (v->Root != drive_) {
        drive_ = v->Root;
        emit Change();
    }
}

void DriveListBox::OnActivated(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    // The user's choice stands even when the volume is not ready: whoever
    // follows it (the directory list) reports that.
    const QString root = volumes_[static_cast<std::size_t>(index)].Root;
    if (root != drive_) {
        drive_ = root;
        emit Change();
    }
}

void DriveListBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    bool paso = false;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        paso = !(mods & (Qt::AltModifier | Qt::ControlModifier));
        break;
    default:
        paso = mods == Qt::NoModifier && !event->text().isEmpty() && event->text().at(0).isPrint() &&
               event->key() != Qt::Key_Space;
        break;
    }
    if (!paso) {
        QComboBox::keyPressEvent(event);
        return;
    }
    showPopup();
    event->accept();
}

void DriveListBox::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

// ---- DirListBox ---------------------------------------------------------------

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent), path_{CleanFolder(QDir::currentPath())}
{
    NombresEnLista(*this);
    Fill();
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = this->row(item);
        const QString target = row == 0 && path_ != QLatin1String("/") ? List(-2) : List(ListIndex());
        if (!target.isEmpty())
            SetPath(target);
    });
}

void DirListBox::keyPressEvent(QKeyEvent* event)
{
    if (ChooseStandingEntry(*this, *event)) {
        event->accept();
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QListWidget::keyPressEvent(event);
        return;
    }
    const QListWidgetItem* actual = currentItem();
    if (!actual || !actual->isSelected() || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        event->ignore();
        return;
    }
    QListWidget::keyPressEvent(event); // opens it
    event->accept();
}

void DirListBox::SetPath(const QString& folder)
{
    const QString clean = CleanFolder(folder);
    const std::vector<Volume> volumes = MountedVolumes();
    const Volume* v = VolumeOf(volumes, clean);
    if (v && !v->Ready)
        throw VbError(vberr::DeviceUnavailable);
    if (!QFileInfo(clean).isDir())
        throw FileError(vberr::PathNotFound, clean);
    const bool changed = clean != path_;
    path_ = clean;
    Fill();
    if (changed)
        emit Change();
}

QString DirListBox::List(int index) const
{
    if (index == -1)
        return path_;
    if (index == -2)
        return path_ == QLatin1String("/") ? QString() : CleanFolder(path_ + QStringLiteral("/.."));
    if (index < 0 || index >= ListCount())
        return {};
    const QString& name = folders_.at(index);
    return path_ == QLatin1String("/") ? path_ + name : path_ + QLatin1Char('/') + name;
}

int DirListBox::ListIndex() const
{
    const int offset = path_ == QLatin1String("/") ? 0 : 1;
    const int row = currentRow() - offset;
    return row >= 0 && row < ListCount() ? row : -1;
}

void DirListBox::Refresh()
{
    Fill();
}

void DirListBox::Fill()
{
    folders_ = ListFolders(path_);
    const QSignalBlocker block(this);
    clear();
    if (path_ != QLatin1String("/"))
        addItem(QStringLiteral(".."));
    for (const QString& name : folders_)
        addItem(name);
}

// ---- FileListBox --------------------------------------------------------------

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent), path_{CleanFolder(QDir::currentPath())}
{
    NombresEnLista(*this);
    Fill();
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::OnSelectionChanged);
    // A click on the entry already chosen changes no selection, yet it is a
    // choice all the same.
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (row(item) == elegidaAlPulsar_ && ListIndex() == elegidaAlPulsar_)
            emit Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit DblClick(); });
}

void FileListBox::OnSelectionChanged()
{
    if (!porCodigo_ && ListIndex() >= 0)
        emit Click();
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    if (ChooseStandingEntry(*this, *event)) {
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FileListBox::mousePressEvent(QMouseEvent* event)
{
    elegidaAlPulsar_ = ListIndex();
    QListWidget::mousePressEvent(event);
}

void FileListBox::SetPath(const QString& folder)
{
    const QString clean = CleanFolder(folder);
    if (!QFileInfo(clean).isDir())
        throw FileError(vberr::PathNotFound, clean);
    const bool changed = clean != path_;
    path_ = clean;
    Fill();
    if (changed)
        emit PathChange();
}

void FileListBox::SetPattern(const QString& patterns)
{
    const bool changed = patterns != pattern_;
    pattern_ = patterns;
    Fill();
    if (changed)
        emit PatternChange();
}

QString FileListBox::FileName() const
{
    const int i = ListIndex();
    return i >= 0 ? files_.at(i) : QString();
}

void FileListBox::SetFileName(const QString& name)
{
    const QString native = QDir::fromNativeSeparators(name);
    const QFileInfo info(native);
    if (info.isDir()) {
        SetPath(native);
        return;
    }
    const bool hasFolder = native.contains(QLatin1Char('/'));
    if (hasFolder)
        SetPath(info.path());
    const QString last = info.fileName();
    if (last.contains(QLatin1Char('*')) || last.contains(QLatin1Char('?'))) {
        SetPattern(last);
        return;
    }
    // The name as given first: of two files whose names differ only in
    // case, the one named is chosen.
    const qsizetype exacto = files_.indexOf(last);
    if (exacto >= 0) {
        SetListIndex(static_cast<int>(exacto));
        return;
    }
    for (int i = 0; i < ListCount(); ++i)
        if (files_.at(i).compare(last, Qt::CaseInsensitive) == 0) {
            SetListIndex(i);
            return;
        }
}

QString FileListBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? files_.at(index) : QString();
}

int FileListBox::ListIndex() const
{
    const int row = currentRow();
    return row >= 0 && row < ListCount() && currentItem() && currentItem()->isSelected() ? row : -1;
}

void FileListBox::SetListIndex(int index)
{
    const QScopedValueRollback<bool> codigo(porCodigo_, true);
    if (index < 0 || index >= ListCount()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(index);
}

void FileListBox::Refresh()
{
    // A folder that lists the same files keeps its entries (and so a click
    // under way: the second click of a double-click still finds its item).
    if (ListFiles(path_, pattern_) == files_)
        return;
    const QString elegido = FileName();
    Fill();
    if (const qsizetype i = files_.indexOf(elegido); !elegido.isEmpty() && i >= 0)
        SetListIndex(static_cast<int>(i));
}

void FileListBox::Fill()
{
    files_ = ListFiles(path_, pattern_);
    const QSignalBlocker block(this);
    clear();
    addItems(files_);
    setCurrentRow(-1);
}

} // namespace vesdra
