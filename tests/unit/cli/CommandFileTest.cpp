// SPDX-License-Identifier: Apache-2.0
// Loading the command file (line ends, limit, files that cannot be read) and storing the reply.
#include "CommandFile.h"
#include "ResidentTrim.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

class CommandFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarn-cmdfile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        const std::string command = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    std::string file(const std::string& name, const std::string& content) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string dir_;
};

struct ContentCase {
    const char* name;
    std::string content;
    std::string text;
};

void PrintTo(const ContentCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandFileContent : public CommandFileTest,
                           public ::testing::WithParamInterface<ContentCase> {};

TEST_P(CommandFileContent, EveryLineEndsWithALineEnd) {
    const ContentCase& c = GetParam();
    CommandText text;
    ASSERT_EQ(loadCommandFile(file("earlier", "left over"), text), CommandFileStatus::Loaded);
    const std::string path = file("commands", c.content);
    EXPECT_EQ(loadCommandFile(path, text), CommandFileStatus::Loaded);
    EXPECT_EQ(text.view(), c.text);
    // The added line end is the tool's own: the file stays as it was.
    EXPECT_EQ(readFile(path), c.content);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandFileContent,
    ::testing::Values(
        ContentCase{"Empty", "", ""},
        ContentCase{"LastLineWithoutLineEnd", "~H(CLM,P\n~W(PNC", "~H(CLM,P\n~W(PNC\n"},
        ContentCase{"LastLineWithLineEnd", "~W(PNC\n", "~W(PNC\n"},
        ContentCase{"CarriageReturnStays", "a\r\nb\r", "a\r\nb\r\n"},
        ContentCase{"EmptyLinesStay", "\n\n", "\n\n"},
        ContentCase{"NulBytesStay", std::string("a\0b", 3), std::string("a\0b\n", 4)},
        // Where the added line end lands: the end of the file's last page, or the page after.
        ContentCase{"OnePageWithoutLineEnd", std::string(4096, 'p'), std::string(4096, 'p') + "\n"},
        ContentCase{"OnePageWithLineEnd", std::string(4095, 'p') + "\n",
                    std::string(4095, 'p') + "\n"},
        ContentCase{"JustUnderAPage", std::string(4095, 'p'), std::string(4095, 'p') + "\n"},
        ContentCase{"JustOverAPage", std::string(4097, 'p'), std::string(4097, 'p') + "\n"}),
    [](const ::testing::TestParamInfo<ContentCase>& info) { return info.param.name; });

TEST_F(CommandFileTest, LimitIsInclusive) {
    CommandText text;
    EXPECT_EQ(loadCommandFile(file("exact", std::string(100, 'x')), text, 100),
              CommandFileStatus::Loaded);
    EXPECT_EQ(text.view().size(), 101u);
    EXPECT_EQ(loadCommandFile(file("over", std::string(101, 'x')), text, 100),
              CommandFileStatus::TooLarge);
    EXPECT_TRUE(text.empty());
}

TEST_F(CommandFileTest, FilesThatCannotBeReadFailToOpen) {
    CommandText text;
    EXPECT_EQ(loadCommandFile(dir_ + "/missing", text), CommandFileStatus::OpenFailed);
    EXPECT_EQ(loadCommandFile(dir_, text), CommandFileStatus::OpenFailed);
    if (geteuid() != 0) {
        const std::string locked = file("locked", "x");
        chmod(locked.c_str(), 0);
        EXPECT_EQ(loadCommandFile(locked, text), CommandFileStatus::OpenFailed);
    }
}

// A FIFO cannot tell its size: the limit is counted while reading.
struct PipeCase {
    const char* name;
    size_t bytes;
    CommandFileStatus status;
};

void PrintTo(const PipeCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandFilePipe : public CommandFileTest, public ::testing::WithParamInterface<PipeCase> {};

TEST_P(CommandFilePipe, EnforcesTheLimitWhileReading) {
    const PipeCase& c = GetParam();
    const std::string path = dir_ + "/fifo";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::thread writer([&] {
        const int fd = open(path.c_str(), O_WRONLY);
        const std::string data(c.bytes, 'y');
        size_t done = 0;
        while (fd >= 0 && done < data.size()) {
            const ssize_t put = write(fd, data.data() + done, data.size() - done);
            if (put <= 0) {
                break; // the reader stopped early
            }
            done += static_cast<size_t>(put);
        }
        if (fd >= 0) {
            close(fd);
        }
    });
    CommandText text;
    signal(SIGPIPE, SIG_IGN);
    EXPECT_EQ(loadCommandFile(path, text, 200000), c.status);
    writer.join();
    if (c.status == CommandFileStatus::Loaded) {
        EXPECT_EQ(text.view(), std::string(c.bytes, 'y') + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fifo, CommandFilePipe,
    ::testing::Values(PipeCase{"Small", 10, CommandFileStatus::Loaded},
                      PipeCase{"SeveralBlocksAtTheLimit", 200000, CommandFileStatus::Loaded},
                      PipeCase{"OneByteOver", 200001, CommandFileStatus::TooLarge}),
    [](const ::testing::TestParamInfo<PipeCase>& info) { return info.param.name; });

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long total = 0;
    long resident = 0;
    statm >> total >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// While a long text is sent its pages are dropped from memory behind the reader. What is read
// again must be the file as it was, and the line end the tool added must stay, wherever it
// lies: in the file's last page, or in the page after a file of whole pages.
TEST_F(CommandFileTest, PagesDroppedWhileSentReadBackUnchanged) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t eight = std::size_t{8} << 20;
    const struct {
        const char* name;
        std::size_t size;
        bool lineEnd;
    } cases[] = {{"whole pages, no line end", eight, false},
                 {"part of a page, no line end", eight + 123, false},
                 {"ends with a line end", eight - 1, true}};
    for (const auto& c : cases) {
        std::string content(c.size, '\0');
        for (std::size_t i = 0; i < c.size; ++i) {
            content[i] = static_cast<char>('A' + (i / page + i) % 26);
        }
        if (c.lineEnd) {
            content.back() = '\n';
        }
        const std::string expected = c.lineEnd ? content : content + "\n";
        CommandText text;
        ASSERT_EQ(loadCommandFile(file("long", content), text), CommandFileStatus::Loaded);
        EXPECT_EQ(text.droppableBytes(), c.size / page * page) << c.name;
        {
            const ResidentTrim trim(text.droppableBegin(), text.droppableBytes());
            const long before = residentBytes();
            for (int pass = 0; pass < 3; ++pass) {
                EXPECT_TRUE(text.view() == expected) << c.name << ", pass " << pass;
            }
            // The pages read were dropped again (looked for, bounded).
            bool dropped = false;
            for (int i = 0; i < 500 && !dropped; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                dropped = residentBytes() < before + static_cast<long>(eight / 2);
            }
            EXPECT_TRUE(dropped) << c.name;
        }
        EXPECT_TRUE(text.view() == expected) << c.name;
    }
}

TEST_F(CommandFileTest, ReplyIsStoredUpToItsFirstNulAndTruncatesTheFile) {
    const std::string path = file("reply", "an older and longer reply");
    EXPECT_TRUE(storeReply(path, std::string("^S(CLM,P,IR\r\n\0tail", 18)));
    EXPECT_EQ(readFile(path), "^S(CLM,P,IR\r\n");
}

TEST_F(CommandFileTest, ReplyFileInAMissingFolderIsRefused) {
    EXPECT_FALSE(storeReply(dir_ + "/missing/reply", "x"));
}

TEST(CommandFileMessages, AreTheDocumentedLines) {
    EXPECT_STREQ(commandFileMessage(CommandFileStatus::OpenFailed), "Failed to open file.\n");
    EXPECT_STREQ(commandFileMessage(CommandFileStatus::TooLarge),
                 "The input file exceeds the maximum command length.\n");
}

} // namespace
