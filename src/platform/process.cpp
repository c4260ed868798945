#include "platform/process.h"

#include <QFileInfo>
#include <QProcess>

#include "platform/base/file_names.h"
#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

LaunchRecord& Last()
{
    static LaunchRecord record;
    return record;
}

ProgramStarter& Starter()
{
    static ProgramStarter starter;
    return starter;
}

std::int64_t StartDetached(const QString& program)
{
    qint64 pid = 0;
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    if (!process.startDetached(&pid))
        return -1;
    return pid;
}

} // namespace

std::int64_t StartProgram(const QString& path, int windowStyle)
{
    LaunchRecord& last = Last();
    last = LaunchRecord{};
    last.Program = path;
    last.WindowStyle = windowStyle;

    const QString program = ExistingPathNoCase(path.trimmed());
    if (program.isEmpty() || !QFileInfo(program).isFile())
        throw FileError(vberr::FileNotFound, path.trimmed());
    last.Program = program;
    // The desktop places and focuses the window itself; the style is kept
    // for whoever can honour it.
    const std::int64_t pid = Starter() ? Starter()(program) : StartDetached(program);
    if (pid < 0)
        throw FileError(vberr::InvalidCall, program);
    last.ProcessId = pid;
    last.Started = true;
    return pid;
}

const LaunchRecord& LastLaunch()
{
    return Last();
}

void SetProgramStarterForTests(ProgramStarter starter)
{
    Starter() = std::move(starter);
}

} // namespace vesdra
