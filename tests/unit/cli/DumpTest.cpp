// SPDX-License-Identifier: Apache-2.0
// The byte dumps of the -d trace.
#include "Dump.h"

#include <gtest/gtest.h>

#include <string>

namespace {

template <typename Dump> std::string dumped(Dump dump, const std::string& data) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    dump(data.data(), data.size(), out);
    fclose(out);
    std::string text(buffer, size);
    free(buffer);
    return text;
}

const std::string kLF = "\033[34m\\x0A\033[0m";

struct DumpCase {
    const char* name;
    std::string data;
    std::string binary;
    std::string multilines;
};

void PrintTo(const DumpCase& c, std::ostream* os) {
    *os << c.name;
}

class DumpTest : public ::testing::TestWithParam<DumpCase> {};

TEST_P(DumpTest, Binary) {
    EXPECT_EQ(dumped(PrintBinary, GetParam().data), GetParam().binary);
}

TEST_P(DumpTest, Multilines) {
    EXPECT_EQ(dumped(PrintBinaryMultilines, GetParam().data), GetParam().multilines);
}

INSTANTIATE_TEST_SUITE_P(
    Data, DumpTest,
    ::testing::Values(
        DumpCase{"Empty", "", "", ""},
        DumpCase{"Printable", "~H(CLM,P x", "~H(CLM,P x", "\t\033[36m[000]\033[0m ~H(CLM,P x"},
        DumpCase{
            "HighByteAndControl", "\x8A\x02\x7F",
            "\033[34m\\x8A\033[0m\033[34m\\x02\033[0m\033[34m\\x7F\033[0m",
            "\t\033[36m[000]\033[0m \033[34m\\x8A\033[0m\033[34m\\x02\033[0m\033[34m\\x7F\033[0m"},
        DumpCase{"LinesNumberedByOffset", "ab\ncdef\ng", "ab" + kLF + "cdef" + kLF + "g",
                 "\t\033[36m[000]\033[0m ab" + kLF + "\n\t\033[36m[003]\033[0m cdef" + kLF +
                     "\n\t\033[36m[008]\033[0m g"},
        DumpCase{"LastLineEnd", "ab\n", "ab" + kLF, "\t\033[36m[000]\033[0m ab" + kLF + "\n"},
        DumpCase{"NulStartingALineEndsTheLines", std::string("ab\n\0cd", 6),
                 "ab" + kLF + "\033[34m\\x00\033[0mcd", "\t\033[36m[000]\033[0m ab" + kLF + "\n"},
        DumpCase{"NulInsideALineIsDumped", std::string("a\0b", 3), "a\033[34m\\x00\033[0mb",
                 "\t\033[36m[000]\033[0m a\033[34m\\x00\033[0mb"}),
    [](const ::testing::TestParamInfo<DumpCase>& info) { return info.param.name; });

TEST(Dump, LongDataIsDumpedWhole) {
    std::string data(200000, 'a');
    data[150000] = '\x01';
    const std::string escape = "\033[34m\\x01\033[0m";
    const std::string text = dumped(PrintBinary, data);
    EXPECT_EQ(text.size(), data.size() - 1 + escape.size());
    EXPECT_EQ(text.substr(150000, escape.size()), escape);
    EXPECT_EQ(text.substr(150000 + escape.size()), std::string(49999, 'a'));
}

} // namespace
