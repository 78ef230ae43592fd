// The built program itself, started as a script or a command prompt starts it: what its
// commands write on standard output and error, and their exit status. On Windows both
// mpsec.com (what a prompt runs for `mpsec`) and mpsec.exe (the window program) are run,
// and their files are checked for what Windows reads before it starts them.
#include "support/Players.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#include <sys/wait.h>
#endif

using namespace mpsec;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The program's files, found from the folder the test starts in.
std::vector<fs::path> Programs() {
    const fs::path program = fs::absolute(MPSEC_PROGRAM);
#if defined(_WIN32)
    return {fs::path(program).replace_extension(".com"), program};
#else
    return {program};
#endif
}

struct Ran {
    int Status = -1;
    std::string Out, Err;
};

// Runs `program` with `arguments` (plain words) in the current folder, its standard output
// and error going to files.
Ran RunProgram(const fs::path& program, const std::string& arguments) {
    Ran ran;
#if defined(_WIN32)
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    auto create = [&](const wchar_t* name) {
        return CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE out = create(L"out.txt"), err = create(L"err.txt");
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = out;
    start.hStdError = err;
    std::wstring line =
        L"\"" + program.wstring() + L"\" " + std::wstring(arguments.begin(), arguments.end());
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code))
            ran.Status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
#else
    const int status =
        std::system(("'" + program.string() + "' " + arguments + " >out.txt 2>err.txt").c_str());
    if (status != -1 && WIFEXITED(status))
        ran.Status = WEXITSTATUS(status);
#endif
    ran.Out = ReadFile("out.txt");
    ran.Err = ReadFile("err.txt");
    return ran;
}

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() {
        test::WriteRegister(dir, {test::PlayerWithTotal("12345", "ADAMS", "6-785", "200.00"),
                                  test::PlayerWithTotal("22222", "BROWN", "6i785", "300.00"),
                                  test::PlayerWithTotal("1234567", "CLARK", "2-101", "150.00")});
        dir.WriteLines("NATIONAL.CLB", {"2101,BAYSIDE CLUB,,,,,,Ms,,K,Jones,1 B Rd,City,,,,,x",
                                        "6785,KARRAKATTA CLUB,"});
    }
    const std::vector<fs::path> programs = Programs(); // before the folder is entered
    test::TempFolder dir{true};
};

} // namespace

// The bytes on standard output and error are the same on every system: a line ends in LF,
// a CSV row in CR LF, and the exit status reaches the one who started the program.
TEST_F(ProgramTest, CommandsWriteTheirBytesAndExitStatus) {
    struct Case {
        std::string arguments;
        int status;
        std::string out, err;
    } cases[] = {
        {"membership --csv", 0,
         "Club,Name,Members\r\n2101,BAYSIDE CLUB,1\r\n6785,KARRAKATTA CLUB,1\r\n",
         "Total Active Membership: 2\n"},
        {"extract inactive --club 6785 --csv", 0,
         "Number,Surname,Given name\r\n22222,BROWN,ANNE\r\n", "Output saved as INAC6785.TXT\n"},
        {"clubs bay", 0, "2-101,  BAYSIDE CLUB,   Ms. K Jones\n1 B Rd,City,,,,\n\n", ""},
        {"clubs NOWHERE", 1, "", "mpsec clubs: no club in NATIONAL.CLB holds NOWHERE\n"},
        {"no-such-command", 2, "", "mpsec: unknown command 'no-such-command'\n"},
    };
    for (const fs::path& program : programs) {
        for (const Case& c : cases) {
            const Ran ran = RunProgram(program, c.arguments);
            const std::string what = program.filename().string() + " " + c.arguments;
            EXPECT_EQ(ran.Status, c.status) << what;
            EXPECT_EQ(ran.Out, c.out) << what;
            if (c.status == 2)
                EXPECT_EQ(ran.Err.substr(0, c.err.size()), c.err) << what;
            else
                EXPECT_EQ(ran.Err, c.err) << what;
        }
    }
}

#if defined(_WIN32)

namespace {

// The subsystem a program file asks for: 2 a window program, 3 a console program.
int Subsystem(const fs::path& program) {
    const std::string bytes = ReadFile(program);
    if (bytes.size() < 0x40)
        return -1;
    std::uint32_t header = 0;
    bytes.copy(reinterpret_cast<char*>(&header), 4, 0x3c);
    // "PE\0\0", the 20-byte file header, then the optional header: Subsystem at 68.
    const std::size_t at = header + 4 + 20 + 68;
    if (bytes.size() < at + 2 || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return -1;
    std::uint16_t subsystem = 0;
    bytes.copy(reinterpret_cast<char*>(&subsystem), 2, at);
    return subsystem;
}

// The manifest Windows reads before it starts a program (resource 1 of type 24).
std::string Manifest(const fs::path& program) {
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return {};
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)))
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)),
                        SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

} // namespace

// Started from the Start menu or Explorer, mpsec.exe opens no console beside its window;
// a command prompt runs its console twin.
TEST_F(ProgramTest, WindowProgramAndConsoleTwin) {
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].filename().string(), "mpsec.com");
    EXPECT_EQ(Subsystem(programs[0]), 3);
    EXPECT_EQ(programs[1].filename().string(), "mpsec.exe");
    EXPECT_EQ(Subsystem(programs[1]), 2);
}

TEST_F(ProgramTest, ManifestDeclaresLongPathsVersionsAndScaling) {
    for (const fs::path& program : programs) {
        const std::string manifest = Manifest(program);
        for (const char* text :
             {"<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
              "true</longPathAware>",
              "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
              "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
              "PerMonitorV2</dpiAwareness>",
              "<requestedExecutionLevel level=\"asInvoker\""})
            EXPECT_NE(manifest.find(text), std::string::npos)
                << program.filename().string() << ": " << text;
    }
}

#endif
