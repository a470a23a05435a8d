#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
};

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

// The outputs are small enough for the pipe buffers, so reading them one
// after the other cannot deadlock.
Outcome RunForecastCommand(const std::vector<std::string>& args) {
    int out_pipe[2];
    int err_pipe[2];
    EXPECT_EQ(pipe(out_pipe), 0);
    EXPECT_EQ(pipe(err_pipe), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);
    std::vector<char*> argv = {const_cast<char*>(YOTSUBANE_FORECAST_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out_pipe[1]);
    close(err_pipe[1]);
    Outcome outcome;
    outcome.out = ReadAll(out_pipe[0]);
    outcome.err = ReadAll(err_pipe[0]);
    int wait_status = 0;
    waitpid(pid, &wait_status, 0);
    outcome.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
    return outcome;
}

std::string Joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) text += "[" + arg + "] ";
    return text;
}

struct ForecastCase {
    std::vector<std::string> args;
    std::string out;
    int status;
};

TEST(ForecastCommand, PrintsTheRewrittenEntriesAndTheVerdict) {
    const ForecastCase cases[] = {
        {{"120", "3000", "110", "2000", "100", "1000"},
         "120\t3000\t110\t2000\t100\t1000\n明日は下げる確率が高いでしょう\n", 0},
        {{"", "", "", "", "", ""}, "0\t0\t0\t0\t0\t0\n明日は大きな変化はないでしょう\n", 0},
        {{"100", "3000", "100", "2000", "100", "1000"},
         "100\t3000\t100\t2000\t100\t1000\n明日は下げる可能性があります\n", 0},
        {{"100", "1000", "110", "2000", "120", "3000"},
         "100\t1000\t110\t2000\t120\t3000\n明日は上げる可能性があります\n", 0},
        {{"105", "900", "100", "1000", "110", "1100"},
         "105\t900\t100\t1000\t110\t1100\n明日は上げる可能性があります\n", 0},
        {{"90円", "800", " 100", "1,000", "９５", "1200株"},
         "90\t800\t100\t1000\t95\t1200\n明日は上がる確率が高いでしょう\n", 0},
        {{"-5", "--help", "0", "0", "0", "0"},
         "-5\t0\t0\t0\t0\t0\n明日は大きな変化はないでしょう\n", 0},
        {{"1e400", "3000", "110", "2000", "100円", "1000"},
         "1e400\t3000\t110\t2000\t100\t1000\n数値が大きすぎるため予想できません\n", 1},
        {{"1e308", "1", "1e308", "1", "1e308", "1"},
         "1e+308\t1\t1e+308\t1\t1e+308\t1\n数値が大きすぎるため予想できません\n", 1},
    };
    for (const auto& [args, out, status] : cases) {
        SCOPED_TRACE(Joined(args));
        const Outcome outcome = RunForecastCommand(args);
        EXPECT_EQ(outcome.out, out);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.status, status);
    }
}

TEST(ForecastCommand, HelpPrintsUsageAndSucceeds) {
    const Outcome outcome = RunForecastCommand({"--help"});
    EXPECT_NE(outcome.out.find("usage: yotsubane-forecast"), std::string::npos);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 0);
}

TEST(ForecastCommand, WrongNumberOfArgumentsIsAUsageError) {
    const std::vector<std::string> cases[] = {
        {},
        {"120"},
        {"120", "3000", "110", "2000", "100"},
        {"120", "3000", "110", "2000", "100", "1000", "7"},
        {"--help", "120"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(Joined(args));
        const Outcome outcome = RunForecastCommand(args);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("usage: yotsubane-forecast"), std::string::npos);
        EXPECT_EQ(outcome.status, 2);
    }
}

}  // namespace
