// Several processes on one table: concurrent appends, exclusive opens, and
// processes killed in the middle of a write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "table_fixture.h"

using namespace testing_support;
using db::FieldType;

namespace {

db::FieldList workerFields() { return {field("W", FieldType::Numeric, 3), field("I", FieldType::Numeric, 8)}; }

// Runs `body` in a child process; returns its pid. The child exits with
// body's result and never returns into the test.
template <class F>
pid_t inChild(F&& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct KadryRun {
    int code;
    std::string err;
};

// Runs the kadry binary with `args`, stdout discarded, stderr captured.
KadryRun runKadry(const TempFolder& dir, std::vector<std::string> args) {
    const std::string errFile = dir.file("stderr.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(KADRY_BIN)};
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        std::freopen(errFile.c_str(), "w", stderr);
        ::execv(KADRY_BIN, argv.data());
        ::_exit(127);
    }
    return {waitFor(pid), dir.read("stderr.txt")};
}

std::string readAll(int fd) {
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) out.append(buf, std::size_t(n));
    return out;
}

}  // namespace

TEST(MultiProcess, ConcurrentAppendersLoseAndDuplicateNothing) {
    TempFolder dir;
    const std::string path = makeTable(dir, "T.DBF", workerFields());
    constexpr int kWorkers = 4, kEach = 1000;
    std::vector<pid_t> pids;
    for (int w = 0; w < kWorkers; ++w)
        pids.push_back(inChild([&, w] {
            auto t = db::Table::open(path);
            if (!t) return 2;
            for (int i = 0; i < kEach; ++i) {
                if (!(*t)->append() || !(*t)->setNumber(0, w) || !(*t)->setNumber(1, i) || !(*t)->post()) return 3;
            }
            return 0;
        }));
    for (pid_t p : pids) EXPECT_EQ(waitFor(p), 0);
    auto t = openTable(path);
    EXPECT_EQ(t->physicalCount(), kWorkers * kEach);
    std::set<std::pair<int, int>> seen;
    for (t->first(); !t->eof(); t->next()) seen.insert({int(*t->number(0)), int(*t->number(1))});
    EXPECT_EQ(seen.size(), std::size_t(kWorkers * kEach));
    EXPECT_TRUE(t->problems().empty());
}

TEST(MultiProcess, ConcurrentKadryInsertsLoseNothing) {
    TempFolder dir;
    makeTable(dir, "T.DBF", workerFields());
    if (runKadry(dir, {"db", "sql", dir.path(), "INSERT INTO T.DBF (W, I) VALUES (9, 0)"}).code != 0)
        GTEST_SKIP() << "kadry db sql is not available";
    constexpr int kWorkers = 3, kEach = 15;
    std::vector<pid_t> pids;
    for (int w = 0; w < kWorkers; ++w)
        pids.push_back(inChild([&, w] {
            for (int i = 0; i < kEach; ++i) {
                const std::string sql = "INSERT INTO T.DBF (W, I) VALUES (" + std::to_string(w) + ", " +
                                        std::to_string(i) + ")";
                if (runKadry(dir, {"db", "sql", dir.path(), sql}).code != 0) return 1;
            }
            return 0;
        }));
    for (pid_t p : pids) EXPECT_EQ(waitFor(p), 0);
    auto t = openTable(dir.file("T.DBF"));
    EXPECT_EQ(t->physicalCount(), 1 + kWorkers * kEach);
    std::set<std::pair<int, int>> seen;
    for (t->first(); !t->eof(); t->next()) seen.insert({int(*t->number(0)), int(*t->number(1))});
    EXPECT_EQ(seen.size(), std::size_t(1 + kWorkers * kEach));
}

TEST(MultiProcess, ExclusiveOpenFailsWhileAnotherProcessHasTheTable) {
    TempFolder dir;
    const std::string path = makeTable(dir, "T.DBF", workerFields(), {{"1", "1"}});
    int ready[2], go[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(go), 0);
    const pid_t holder = inChild([&] {
        auto t = db::Table::open(path);
        char c = t ? 'y' : 'n';
        ::write(ready[1], &c, 1);
        ::read(go[0], &c, 1);
        return 0;
    });
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');

    auto ex = db::Table::open(path, db::OpenMode::Exclusive);
    EXPECT_EQ(ex.status().code(), base::Status::Code::Busy);
    const KadryRun pack = runKadry(dir, {"db", "pack", path});
    EXPECT_EQ(pack.code, 1);
    EXPECT_NE(pack.err.find("База занята"), std::string::npos) << pack.err;
    EXPECT_TRUE(openTable(path));  // sharing is fine

    ::write(go[1], "x", 1);
    EXPECT_EQ(waitFor(holder), 0);
    auto mine = openTable(path, db::OpenMode::Exclusive);
    ASSERT_TRUE(mine);
    // Now the other way round: our exclusive handle keeps others out.
    const pid_t probe = inChild([&] { return db::Table::open(path).status().code() == base::Status::Code::Busy ? 0 : 1; });
    EXPECT_EQ(waitFor(probe), 0);
    EXPECT_EQ(runKadry(dir, {"db", "dump", path}).code, 1);
    for (int fd : {ready[0], ready[1], go[0], go[1]}) ::close(fd);
}

TEST(MultiProcess, KilledAppenderLeavesEveryPostedRecord) {
    TempFolder dir;
    const std::string path = makeTable(dir, "T.DBF", workerFields());
    int posted[2];
    ASSERT_EQ(::pipe(posted), 0);
    const pid_t writer = inChild([&] {
        ::close(posted[0]);
        auto t = db::Table::open(path);
        if (!t) return 2;
        for (int i = 1;; ++i) {
            if (!(*t)->append() || !(*t)->setNumber(1, i) || !(*t)->post()) return 3;
            const std::string line = std::to_string(i) + "\n";
            ::write(posted[1], line.data(), line.size());
        }
    });
    ::close(posted[1]);
    // Let it post a few hundred records, then kill it mid-flight.
    std::string reported;
    char buf[4096];
    while (std::count(reported.begin(), reported.end(), '\n') < 300) {
        const ssize_t n = ::read(posted[0], buf, sizeof buf);
        ASSERT_GT(n, 0);
        reported.append(buf, std::size_t(n));
    }
    ::kill(writer, SIGKILL);
    waitFor(writer);
    reported += readAll(posted[0]);
    ::close(posted[0]);
    const int64_t lastPosted = std::count(reported.begin(), reported.end(), '\n');

    auto t = openTable(path);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->problems().empty());
    ASSERT_GE(t->physicalCount(), lastPosted);
    EXPECT_LE(t->physicalCount(), lastPosted + 1);
    for (int64_t i = 1; i <= lastPosted; ++i) {
        ASSERT_TRUE(t->goToRecNo(i));
        ASSERT_EQ(*t->number(1), double(i));
    }
    appendRows(*t, {{"1", "0"}});  // and it goes on working
}

TEST(MultiProcess, KilledPackSortOrReplaceLeavesEveryLiveRecord) {
    TempFolder dir;
    const std::string path = makeTable(dir, "T.DBF", workerFields());
    constexpr int kRecords = 20000;
    {
        auto t = openTable(path);
        for (int i = 0; i < kRecords; ++i) {
            ASSERT_TRUE(t->append().isOk());
            ASSERT_TRUE(t->setNumber(1, i).isOk());
            ASSERT_TRUE(t->post().isOk());
            if (i % 2) {
                ASSERT_TRUE(t->deleteRecord().isOk());
            }
        }
    }
    // A packed copy holds the same live records, for the replace rounds.
    const std::string copy = dir.file("COPY.DBF");
    ASSERT_TRUE(db::copyTable(path, copy).isOk());
    ASSERT_TRUE(db::packTable(copy).isOk());
    for (int delayMs : {0, 1, 2, 5, 9, 10, 20, 40}) {
        const pid_t packer = ::fork();
        if (packer == 0) {
            // Rounds sort or replace in this process, or pack through kadry.
            if (delayMs % 4 == 1) ::_exit(db::replaceTable(path, copy).isOk() ? 0 : 1);
            if (delayMs % 4) ::_exit(db::sortTable(path, "I").isOk() ? 0 : 1);
            std::freopen("/dev/null", "w", stdout);
            ::execl(KADRY_BIN, KADRY_BIN, "db", "pack", path.c_str(), nullptr);
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(packer, SIGKILL);
        waitFor(packer);
        auto t = openTable(path);
        ASSERT_TRUE(t) << "after " << delayMs << " ms";
        EXPECT_TRUE(t->problems().empty());
        EXPECT_EQ(t->recordCount(), kRecords / 2) << "after " << delayMs << " ms";
        std::set<int> live;
        for (t->first(); !t->eof(); t->next()) live.insert(int(*t->number(1)));
        EXPECT_EQ(live.size(), std::size_t(kRecords / 2));
        EXPECT_TRUE(live.count(0) && live.count(kRecords - 2));
    }
    // The next rewrite sweeps away what the killed ones left beside the table.
    ASSERT_TRUE(db::packTable(path).isOk());
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"COPY.DBF", "T.DBF"}));
}
