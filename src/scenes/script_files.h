#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quorrel::scenes {

// Where the authoring window keeps its scripts: a file is read whole and
// replaced whole, so a failure half-way never leaves half a script.
class ScriptFiles {
public:
    struct Failure {
        std::string reason;
    };

    virtual ~ScriptFiles() = default;
    // The file's bytes, or why they could not be read.
    virtual std::variant<std::string, Failure> read(const std::string& name) = 0;
    // Replaces the file by `bytes`; on failure the old file is as it was.
    virtual std::optional<Failure> write(const std::string& name, std::string_view bytes) = 0;
};

// Files on disk, names relative to the current directory; written beside
// the old file and renamed over it once complete.
class DiskScriptFiles final : public ScriptFiles {
public:
    // Larger files are refused rather than read into memory.
    static constexpr long long max_bytes = 4LL * 1024 * 1024;

    std::variant<std::string, Failure> read(const std::string& name) override;
    std::optional<Failure> write(const std::string& name, std::string_view bytes) override;
};

} // namespace quorrel::scenes
