// Runs the built game headless in a scratch folder and reads back its trace and frame captures.
#include "support/run_game.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace gamerun {
namespace {

void SkipBlanks(const std::string& s, std::size_t& i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
}

// Moves past a quoted string starting at s[i]; false when it never closes.
bool SkipString(const std::string& s, std::size_t& i) {
    for (++i; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            return ++i, true;
    }
    return false;
}

// Moves past one value (string, nested object or array, or a bare word such as a number).
bool SkipValue(const std::string& s, std::size_t& i) {
    if (i >= s.size()) return false;
    if (s[i] == '"') return SkipString(s, i);
    int depth = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"') {
            if (!SkipString(s, i)) return false;
            continue;
        }
        if (c == '{' || c == '[') ++depth;
        if (c == '}' || c == ']') {
            if (depth == 0) return true;
            if (--depth == 0) return ++i, true;
        }
        if (c == ',' && depth == 0) return true;
        ++i;
    }
    return depth == 0;
}

// Runs the program in `folder` with stdout and stderr going to files and `environment` set,
// and waits for it.
int Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
          const std::string& outPath, const std::string& errPath,
          const std::vector<std::pair<std::string, std::string>>& environment) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || chdir(folder.c_str()) != 0) _exit(126);
        dup2(out, 1);
        dup2(err, 2);
        for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

}  // namespace

std::string TraceRecord::Raw(const std::string& key) const {
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

long long TraceRecord::Int(const std::string& key) const {
    const std::string text = Raw(key);
    if (text.empty()) return kMissing;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' ? value : kMissing;
}

bool ParseTraceLine(const std::string& line, TraceRecord& record) {
    record.fields.clear();
    std::size_t i = 0;
    SkipBlanks(line, i);
    if (i >= line.size() || line[i++] != '{') return false;
    SkipBlanks(line, i);
    if (i < line.size() && line[i] == '}') return true;
    for (;;) {
        SkipBlanks(line, i);
        const std::size_t keyStart = i;
        if (i >= line.size() || line[i] != '"' || !SkipString(line, i)) return false;
        const std::string key = line.substr(keyStart + 1, i - keyStart - 2);
        SkipBlanks(line, i);
        if (i >= line.size() || line[i++] != ':') return false;
        SkipBlanks(line, i);
        const std::size_t valueStart = i;
        if (!SkipValue(line, i) || i == valueStart) return false;
        std::size_t valueEnd = i;
        while (valueEnd > valueStart && line[valueEnd - 1] == ' ') --valueEnd;
        record.fields[key] = line.substr(valueStart, valueEnd - valueStart);
        SkipBlanks(line, i);
        if (i >= line.size()) return false;
        if (line[i] == '}') break;
        if (line[i++] != ',') return false;
    }
    SkipBlanks(line, ++i);
    return i == line.size();
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "trundlebop-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty() && !std::getenv("TRUNDLEBOP_KEEP_SCRATCH")) fs::remove_all(path_, ignored);
}

TraceRecord RunResult::At(int pass) const {
    for (const TraceRecord& r : trace)
        if (r.Int("pass") == pass) return r;
    return TraceRecord{};
}

long long RunResult::LastPass() const {
    return trace.empty() ? 0 : trace.back().Int("pass");
}

RunResult RunGame(const RunRequest& request) {
    RunResult result;
    result.folder = std::make_shared<ScratchFolder>();
    const fs::path top = result.folder->Path();
    if (top.empty()) return result;
    const fs::path play = top / "play";
    fs::create_directories(play);

    std::string program = TRUNDLEBOP_BINARY;
    if (request.files == GameFiles::Generated) {
        for (const auto& entry : fs::directory_iterator(TRUNDLEBOP_ASSETS))
            fs::create_symlink(entry.path(), play / entry.path().filename());
    } else {
        // A copy of the program, so that it finds no "assets" folder beside itself either.
        fs::create_directories(top / "bin");
        program = (top / "bin" / "trundlebop").string();
        fs::copy_file(TRUNDLEBOP_BINARY, program);
    }

    std::vector<std::string> args = request.args;
    const std::string tracePath = (top / "trace.jsonl").string();
    if (args.empty()) {
        args = {"--headless", "--frames", std::to_string(request.frames), "--trace", tracePath};
        if (!request.script.empty()) {
            const std::string scriptPath = (top / "script.txt").string();
            std::ofstream(scriptPath) << request.script;
            args.insert(args.end(), {"--input", scriptPath});
        }
        for (int pass : request.shots) {
            const std::string shot = (top / ("shot" + std::to_string(pass) + ".png")).string();
            result.shots[pass] = shot;
            args.insert(args.end(), {"--shot", std::to_string(pass) + ":" + shot});
        }
    }
    std::vector<std::pair<std::string, std::string>> environment = {
        {"XDG_CONFIG_HOME", (top / "config").string()},
        {"XDG_PICTURES_DIR", PicturesPathIn(*result.folder)},
        {"HOME", (top / "home").string()},
        {"XDG_DATA_DIRS", (top / "share").string()},
    };
    environment.insert(environment.end(), request.environment.begin(), request.environment.end());
    if (!request.settings.empty()) {
        const fs::path settings = SettingsPathIn(*result.folder);
        fs::create_directories(settings.parent_path());
        std::ofstream(settings) << request.settings;
    }
    const std::string errPath = (top / "stderr.txt").string();
    const std::string outPath = (top / "stdout.txt").string();
    result.exitCode = Spawn(program, args, play.string(), outPath, errPath, environment);
    result.errorText = ReadFile(errPath);
    result.outputText = ReadFile(outPath);

    std::istringstream lines(ReadFile(tracePath));
    for (std::string line; std::getline(lines, line);) {
        TraceRecord record;
        if (!ParseTraceLine(line, record)) result.traceWellFormed = false;
        result.trace.push_back(record);
    }
    return result;
}

RunResult PlayToTheEnd(const std::string& script, int frames, const std::string& settings) {
    RunRequest request;
    request.script = script;
    request.frames = frames;
    request.settings = settings;
    RunResult run = RunGame(request);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    return run;
}

RunResult PlayTraced(const std::string& script, int frames, std::vector<int> shots) {
    RunRequest request;
    request.script = script;
    request.frames = frames;
    request.shots = std::move(shots);
    RunResult run = RunGame(request);
    EXPECT_TRUE(run.traceWellFormed);
    return run;
}

std::string SettingsPathIn(const ScratchFolder& folder) {
    return folder.Path() + "/config/trundlebop/settings.ini";
}

std::string PicturesPathIn(const ScratchFolder& folder) {
    return folder.Path() + "/pictures";
}

bool ReadPng(const std::string& path, Picture& picture) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (std::size_t p = 0; p < picture.rgb.size(); ++p)
        picture.rgb[p] =
            (std::uint32_t{bytes[p * 3]} << 16) | (std::uint32_t{bytes[p * 3 + 1]} << 8) | bytes[p * 3 + 2];
    return true;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool HaveCommand(const char* command) {
    return std::system((std::string("command -v ") + command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string WindowedPlayPreamble(const std::string& folder) {
    return "cd '" TRUNDLEBOP_ASSETS
           "'\n"
           "export XDG_CONFIG_HOME='" +
           folder + "' HOME='" + folder + "' SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE='" + folder +
           "/device.raw'\n"
           "for n in $(seq 90 140); do [ -e /tmp/.X$n-lock ] || break; done\n"
           "Xvfb :$n -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!\n"
           "export DISPLAY=:$n\n"
           "trap 'kill $xvfb 2>/dev/null' EXIT\n"
           "sleep 1\n"
           "export ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\"\n";
}

ShellRun RunShellScript(const std::string& path, const std::string& script) {
    std::ofstream(path) << script;
    ShellRun run;
    run.status = std::system(("sh '" + path + "' >'" + path + ".log' 2>&1").c_str());
    run.log = ReadFile(path + ".log");
    return run;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

}  // namespace gamerun
