#pragma once
// How much memory a piece of work takes at its peak, for the tests and the
// benchmarks.
#include <cstdint>
#include <fstream>
#include <string>

namespace vesdra::test {

// The process's peak memory from the probe's making on, beyond what it held
// then: on Linux the resident set's high-water mark, reset when the probe is
// made (mapped file pages count as much as allocated ones). Elsewhere, or
// where the mark cannot be reset, the probe is not Available(). It also
// counts the bytes the process has read from files since it was made, so
// that a test can tell how many passes a reader made over a file.
class PeakMemory
{
public:
    PeakMemory()
    {
        std::ofstream clear("/proc/self/clear_refs");
        clear << "5";
        clear.flush();
        const bool reset = static_cast<bool>(clear);
        start_ = Kb("VmRSS:");
        available_ = reset && start_ > 0 && Kb("VmHWM:") - start_ < 1024;
        readStart_ = Field("/proc/self/io", "rchar:");
    }

    [[nodiscard]] bool Available() const { return available_; }
    // Kilobytes held at the peak beyond those held at the start.
    [[nodiscard]] std::int64_t PeakKb() const { return Kb("VmHWM:") - start_; }
    // Whether the bytes read can be counted here (Linux's /proc/self/io).
    [[nodiscard]] bool CountsReads() const { return readStart_ > 0; }
    // Bytes read (by read calls, from files, pipes and the like) since the
    // probe was made.
    [[nodiscard]] std::int64_t BytesRead() const { return Field("/proc/self/io", "rchar:") - readStart_; }

private:
    static std::int64_t Field(const char* file, const std::string& field)
    {
        std::ifstream status(file);
        for (std::string line; std::getline(status, line);)
            if (line.rfind(field, 0) == 0)
                return std::stoll(line.substr(field.size()));
        return 0;
    }
    static std::int64_t Kb(const std::string& field) { return Field("/proc/self/status", field); }

    std::int64_t start_{0};
    std::int64_t readStart_{0};
    bool available_{false};
};

} // namespace vesdra::test
