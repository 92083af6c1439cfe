#include "core/SaverCommandLine.h"

#include <gtest/gtest.h>

namespace {

SaverCommandLine Parse(const char* line) {
    return ParseSaverCommandLine(line);
}

TEST(SaverCommandLine, SwitchLettersAfterSlashOrDashInEitherCase) {
    EXPECT_EQ(Parse("saver.scr /s").Command, SaverCommand::Saver);
    EXPECT_EQ(Parse("saver.scr -S").Command, SaverCommand::Saver);
    EXPECT_EQ(Parse("saver.scr s").Command, SaverCommand::Saver);
    EXPECT_EQ(Parse("saver.scr  --//s").Command, SaverCommand::Saver);
    EXPECT_EQ(Parse("saver.scr /x").Command, SaverCommand::Unknown);
    EXPECT_EQ(Parse("saver.scr /a 12").Command, SaverCommand::Password);
}

TEST(SaverCommandLine, ProgramNameIsSkippedQuotedOrNot) {
    // A quoted name with blanks and a switch letter inside it.
    EXPECT_EQ(Parse("\"C:\\My Savers\\s p.scr\" /p 77").Command, SaverCommand::Preview);
    EXPECT_EQ(Parse("\"C:\\My Savers\\s p.scr\" /p 77").Window, 77u);
    // Without a switch the configure dialog has no owner.
    EXPECT_EQ(Parse("\"C:\\My Savers\\s p.scr\"").Command, SaverCommand::None);
    EXPECT_EQ(Parse("C:\\saver.scr   ").Command, SaverCommand::None);
    EXPECT_EQ(Parse("C:\\saver.scr - /").Command, SaverCommand::None);
    EXPECT_EQ(Parse("").Command, SaverCommand::None);
    EXPECT_EQ(Parse(nullptr).Command, SaverCommand::None);
}

TEST(SaverCommandLine, ConfigureTakesAnOptionalColonAndHandle) {
    SaverCommandLine c = Parse("saver.scr /c:3344");
    EXPECT_EQ(c.Command, SaverCommand::Configure);
    EXPECT_TRUE(c.HasWindow);
    EXPECT_EQ(c.Window, 3344u);
    c = Parse("saver.scr /C");
    EXPECT_EQ(c.Command, SaverCommand::Configure);
    EXPECT_FALSE(c.HasWindow);
    c = Parse("saver.scr -c:");
    EXPECT_EQ(c.Command, SaverCommand::Configure);
    EXPECT_FALSE(c.HasWindow);
}

TEST(SaverCommandLine, PreviewTakesBlanksAndADecimalHandle) {
    for (const char* line :
         {"x.scr /p 65816", "x.scr /P   65816", "x.scr /l 65816", "x.scr -L\t65816"}) {
        const SaverCommandLine p = Parse(line);
        EXPECT_EQ(p.Command, SaverCommand::Preview) << line;
        EXPECT_TRUE(p.HasWindow) << line;
        EXPECT_EQ(p.Window, 65816u) << line;
    }
    EXPECT_FALSE(Parse("x.scr /p").HasWindow);
    EXPECT_FALSE(Parse("x.scr /p abc").HasWindow);
    // A handle too long for 64 bits is no handle rather than a wrapped one.
    const SaverCommandLine big = Parse("x.scr /p 184467440737095516160");
    EXPECT_EQ(big.Command, SaverCommand::Preview);
    EXPECT_FALSE(big.HasWindow);
    EXPECT_EQ(Parse("x.scr /p 18446744073709551615").Window, UINT64_MAX);
}

} // namespace
