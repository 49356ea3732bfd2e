// Runs the built game headless in a scratch folder and reads back its trace and frame captures.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace gamerun {

// One trace line: each member's value as its raw text (strings keep their quotes; nested
// objects and arrays are kept whole).
struct TraceRecord {
    std::map<std::string, std::string> fields;
    // The raw text of a member, "" when it is missing.
    std::string Raw(const std::string& key) const;
    // A whole-number member; kMissing when it is missing or not a whole number.
    long long Int(const std::string& key) const;
    static constexpr long long kMissing = -999999999;
};

// Reads one line of the flat JSON the trace writes. False when it is not such an object.
bool ParseTraceLine(const std::string& line, TraceRecord& record);

// A folder under the temporary directory, removed with everything in it when dropped.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

enum class GameFiles {
    Generated,  // the play folder links every generated game file
    None,       // the play folder is empty, and the program has no "assets" beside it either
};

// Every run sees only its scratch folder's settings and pictures: XDG_CONFIG_HOME is
// <scratch>/config, XDG_PICTURES_DIR <scratch>/pictures, HOME <scratch>/home, and
// XDG_DATA_DIRS <scratch>/share, so nothing the developer keeps changes a test.
struct RunRequest {
    std::string script;  // the input script's text ("" for none)
    int frames = 10;     // --frames
    GameFiles files = GameFiles::Generated;
    std::vector<int> shots;         // passes whose frame is saved as PNG
    std::vector<std::string> args;  // when not empty: the whole command line, used as given
    std::string settings;           // when not empty: the settings file's text
    std::vector<std::pair<std::string, std::string>> environment;  // set after the above
};

struct RunResult {
    int exitCode = -1;                 // 128 + signal when killed
    std::vector<TraceRecord> trace;    // in file order
    bool traceWellFormed = true;       // every trace line parsed
    std::map<int, std::string> shots;  // pass -> PNG path
    std::string errorText;             // what the program wrote to stderr
    std::string outputText;            // what the program wrote to stdout
    std::shared_ptr<ScratchFolder> folder;

    // The record of a pass (an empty record when there is none).
    TraceRecord At(int pass) const;
    // The pass number of the last record, 0 when the trace is empty.
    long long LastPass() const;
};

RunResult RunGame(const RunRequest& request);

// A run of `script` for `frames` passes that must end with exit code 0, with a settings
// file of this text when it is not empty.
RunResult PlayToTheEnd(const std::string& script, int frames, const std::string& settings = "");
// A run of `script` for `frames` passes, saving the frames of the passes `shots`, whose
// trace must be well formed whatever its exit code.
RunResult PlayTraced(const std::string& script, int frames, std::vector<int> shots = {});

// Where a run's settings file and default screenshot folder are, under its scratch folder.
std::string SettingsPathIn(const ScratchFolder& folder);
std::string PicturesPathIn(const ScratchFolder& folder);

// A picture read back from a PNG file, as 0xRRGGBB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};
bool ReadPng(const std::string& path, Picture& picture);

// A whole file's bytes ("" when it cannot be read).
std::string ReadFile(const std::string& path);
// A text file's lines, without their line ends (none when it cannot be read).
std::vector<std::string> ReadLines(const std::string& path);
// True when the shell finds this command.
bool HaveCommand(const char* command);
// The opening lines of a shell script that plays the real program in a window: in the game
// files' folder, with its settings in `folder`, on a virtual display of its own (Xvfb, gone
// when the script ends), its sound to SDL's disk audio driver writing `folder`/device.raw,
// and leak checks off (the display and sound libraries keep memory to the end).
std::string WindowedPlayPreamble(const std::string& folder);
// Writes `script` to `path` and runs it with sh: its exit status and all it printed.
struct ShellRun {
    int status = -1;
    std::string log;
};
ShellRun RunShellScript(const std::string& path, const std::string& script);
// The unsigned little-endian number of `size` bytes at `at` (WAV headers and samples).
std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size);

}  // namespace gamerun
