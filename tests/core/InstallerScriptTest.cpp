#include "core/InstallerScript.h"

#include "core/CreatorError.h"

#include <gtest/gtest.h>

namespace {

std::wstring Apply(const std::wstring& line) {
    std::optional<std::wstring> result = ApplyConditions(line);
    return result ? *result : L"<bad>";
}

InstallerOptions Sample() {
    InstallerOptions o;
    o.Name = L"Blue Fish";
    o.About = L"Fish Inc.";
    o.WebSite = L"http://fish.example/";
    o.SrcScr = L"C:\\Savers\\Blue Fish.scr";
    o.OutDir = L"C:\\Savers\\";
    o.OutFile = L"Blue Fish-setup";
    return o;
}

} // namespace

TEST(InstallerPaths, FileTitleAndFileDir) {
    EXPECT_EQ(FileTitle(L"C:\\a\\b c.scr"), L"b c.scr");
    EXPECT_EQ(FileDir(L"C:\\a\\b c.scr"), L"C:\\a\\");
    EXPECT_EQ(FileTitle(L"C:\\a\\"), L"");
    EXPECT_EQ(FileDir(L"C:\\a\\"), L"C:\\a\\");
    // Without a backslash both give the whole path.
    EXPECT_EQ(FileTitle(L"name.scr"), L"name.scr");
    EXPECT_EQ(FileDir(L"name.scr"), L"name.scr");
    EXPECT_EQ(FileTitle(L""), L"");
    // Forward slashes are not separators here.
    EXPECT_EQ(FileTitle(L"C:/a/b.scr"), L"C:/a/b.scr");
}

TEST(InstallerPaths, OutputBase) {
    EXPECT_EQ(InstallerOutputBase(L"C:\\S\\Fish.scr"), L"C:\\S\\Fish-setup");
    // Case-sensitive: ".SCR" stays and "-setup" follows it.
    EXPECT_EQ(InstallerOutputBase(L"C:\\S\\Fish.SCR"), L"C:\\S\\Fish.SCR-setup");
    EXPECT_EQ(InstallerOutputBase(L"C:\\S\\Fish.exe"), L"C:\\S\\Fish-setup");
    EXPECT_EQ(InstallerOutputBase(L"C:\\S\\Fish.exe.scr"), L"C:\\S\\Fish-setup");
    EXPECT_EQ(InstallerOutputBase(L"C:\\S\\Fish.EXE"), L"C:\\S\\Fish.EXE-setup");
    EXPECT_EQ(InstallerOutputBase(L"C:\\S\\Fish"), L"C:\\S\\Fish-setup");
    // Only one ".scr" goes.
    EXPECT_EQ(InstallerOutputBase(L"a.scr.scr"), L"a.scr-setup");
    std::wstring base = InstallerOutputBase(L"C:\\Savers\\Blue Fish.scr");
    EXPECT_EQ(FileDir(base), L"C:\\Savers\\");
    EXPECT_EQ(FileTitle(base), L"Blue Fish-setup");
}

TEST(InstallerScript, AppIdIsUpperHexWithoutLeadingZeros) {
    EXPECT_EQ(AppIdText(0.0), L"0");
    EXPECT_EQ(AppIdText(0.5), L"7FFFFF"); // 8388607.5 -> 8388607
    EXPECT_EQ(AppIdText(1.0 / 16777215.0 * 255.5), L"FF");
    EXPECT_EQ(AppIdText(0.9999999999), L"FFFFFE"); // never 16777215
    EXPECT_EQ(AppIdText(0.0000001), L"1");
}

TEST(InstallerScript, PlaceholdersInOrder) {
    InstallerOptions o = Sample();
    EXPECT_EQ(ExpandInstallerTemplate(L"D=$DIR$", o, L"1"), L"D={pf}\\Blue Fish");
    o.SysDir = true;
    EXPECT_EQ(ExpandInstallerTemplate(L"D=$DIR$", o, L"1"), L"D={syswow64}\\");
    EXPECT_EQ(ExpandInstallerTemplate(L"$SCR$|$SRCSCR$|$OUTDIR$$OUTFILE$", o, L"1"),
              L"Blue Fish.scr|C:\\Savers\\Blue Fish.scr|C:\\Savers\\Blue Fish-setup");
    EXPECT_EQ(ExpandInstallerTemplate(L"$ABOUT$ $WEBSITE$ $WEBSITE$ $APPID$", o, L"A1B"),
              L"Fish Inc. http://fish.example/ http://fish.example/ A1B");
    EXPECT_EQ(ExpandInstallerTemplate(L"$STARTMENU$ $UNINSTALL$", o, L""), L"false false");
    o.StartMenu = o.Uninstall = true;
    EXPECT_EQ(ExpandInstallerTemplate(L"$STARTMENU$ $UNINSTALL$", o, L""), L"true true");
    EXPECT_EQ(ExpandInstallerTemplate(L"a:$ACTIVE$;l:$LOGIN$", o, L""), L"a:unchecked;l:unchecked");
    o.Active = true;
    EXPECT_EQ(ExpandInstallerTemplate(L"a:$ACTIVE$;l:$LOGIN$", o, L""), L"a:;l:unchecked");
    o.Logon = true;
    o.Active = false;
    EXPECT_EQ(ExpandInstallerTemplate(L"a:$ACTIVE$;l:$LOGIN$", o, L""), L"a:unchecked;l:");
}

TEST(InstallerScript, UserTextsGoInAsLiterals) {
    InstallerOptions o = Sample();
    // A value is not read again: no placeholder, condition or line in it.
    o.Name = L"My $ABOUT$ and $DIR$";
    EXPECT_EQ(ExpandInstallerTemplate(L"AppName=$NAME$", o, L"1"), L"AppName=My $ABOUT$ and $DIR$");
    o.About = L"Fish\r\n[Run]\r\nFilename: {cmd}\r\n$if maybe x\t";
    EXPECT_EQ(ExpandInstallerTemplate(L"P=$ABOUT$\n", o, L"1"),
              L"P=\"Fish  [Run]  Filename: {{cmd}  $if maybe x \"\n");
    EXPECT_EQ(ExpandInstallerTemplate(L"P={{$WEBSITE$}", o, L"1"), L"P={{http://fish.example/}");
    // In quotes a quote is doubled; a path the compiler reads itself keeps
    // its braces; the preprocessor's "{#" is never left in a line.
    o.SrcScr = L"C:\\a;\"b\" {x}\\{#c}.scr";
    EXPECT_THROW(ExpandInstallerTemplate(L"Source: \"$SRCSCR$\"", o, L"1"), CreatorError);
    o.SrcScr = L"C:\\a;\"b\" {x}\\c .scr";
    EXPECT_EQ(ExpandInstallerTemplate(L"Source: \"$SRCSCR$\"; Name: $SCR$", o, L"1"),
              L"Source: \"C:\\a;\"\"b\"\" {x}\\c .scr\"; Name: c .scr");
    o.About = L"{#Exec(x)}";
    EXPECT_EQ(ExpandInstallerTemplate(L"P: \"$ABOUT$\"", o, L"1"),
              L"P: \"{{{cm:NumberSign}Exec(x)}\"");
    // A whole [Setup] value that its ends would change goes in quotes.
    for (const wchar_t* about : {L"\"Fish\"", L" Fish", L"Fish \\"}) {
        o.About = about;
        EXPECT_EQ(ExpandInstallerTemplate(L"$if true AppPublisher=$ABOUT$\r\nX", o, L"1"),
                  L"$if true AppPublisher=\"" + o.About + L"\"\r\nX");
    }
    EXPECT_EQ(ExpandInstallerTemplate(L"P: $ABOUT$", o, L"1"), L"P: Fish \\");
    // In a constant's arguments the characters that end it are %-encoded.
    o.Name = L"50% {a}, b|c";
    EXPECT_EQ(ExpandInstallerTemplate(L"\"{cm:U,$NAME$}\" {x}$NAME$", o, L"1"),
              L"\"{cm:U,50%25 %7ba%7d%2c b_c}\" {x}50% {{a}, b_c");
    // Where it names a folder or a shortcut the name is one file-name part;
    // a title keeps it whole.
    o.Name = L"..\\..\\Windows\\System32:*?\"<>/";
    EXPECT_EQ(ExpandInstallerTemplate(L"DefaultDirName=$DIR$", o, L"1"),
              L"DefaultDirName={pf}\\.._.._Windows_System32_______");
    EXPECT_EQ(ExpandInstallerTemplate(L"AppVerName=$NAME$", o, L"1"), L"AppVerName=" + o.Name);
    o.Name = L"..";
    EXPECT_EQ(ExpandInstallerTemplate(L"DefaultGroupName=$NAME$", o, L"1"), L"DefaultGroupName=__");
    // Windows drops a name's trailing dots and blanks, so these are a step
    // up and the same folder too.
    o.Name = L".. ";
    EXPECT_EQ(ExpandInstallerTemplate(L"DefaultDirName=$DIR$", o, L"1"),
              L"DefaultDirName={pf}\\___");
    o.Name = L" .\t.";
    EXPECT_EQ(ExpandInstallerTemplate(L"Name: \"{group}\\$NAME$\"", o, L"1"),
              L"Name: \"{group}\\____\"");
}

TEST(InstallerScript, ConditionLines) {
    EXPECT_EQ(Apply(L"$if true Keep=1"), L"Keep=1");
    EXPECT_EQ(Apply(L"$if false Keep=1"), L"");
    EXPECT_EQ(Apply(L"$if !false Keep=1"), L"Keep=1");
    EXPECT_EQ(Apply(L"$if !true Keep=1"), L"");
    // "$if" in any case; Booleans in any case; numbers, non-zero true.
    EXPECT_EQ(Apply(L"$IF TRUE a"), L"a");
    EXPECT_EQ(Apply(L"$If False a"), L"");
    EXPECT_EQ(Apply(L"$if -1 a"), L"a");
    EXPECT_EQ(Apply(L"$if 2.5 a"), L"a");
    EXPECT_EQ(Apply(L"$if 0 a"), L"");
    EXPECT_EQ(Apply(L"$if 0.0 a"), L"");
    EXPECT_EQ(Apply(L"$if !0 a"), L"a");
    // The rest keeps its blanks: only the first two split it.
    EXPECT_EQ(Apply(L"$if true Name: a b  c"), L"Name: a b  c");
}

TEST(InstallerScript, NestedConditionsNeedBoth) {
    EXPECT_EQ(Apply(L"$if true $if true Both"), L"Both");
    EXPECT_EQ(Apply(L"$if true $if false Both"), L"");
    EXPECT_EQ(Apply(L"$if false $if true Both"), L"");
    EXPECT_EQ(Apply(L"$if !false $if !false Both"), L"Both");
}

TEST(InstallerScript, BlanksAndLineEnds) {
    EXPECT_EQ(Apply(L"   [Setup]   "), L"[Setup]");
    EXPECT_EQ(Apply(L"  $if true x"), L"x");
    // A CR ends the line before any trailing blanks can be trimmed.
    EXPECT_EQ(Apply(L"Flags: \r"), L"Flags: \r");
    EXPECT_EQ(Apply(L"$if true Flags: \r"), L"Flags: \r");
    // A false condition drops the CR too.
    EXPECT_EQ(Apply(L"$if false x\r"), L"");
    // A comment that holds "$if" is no condition line.
    EXPECT_EQ(Apply(L";$if false Name: x\r"), L";$if false Name: x\r");
    EXPECT_EQ(Apply(L"   "), L"");
    EXPECT_EQ(Apply(L"\t$if false x"), L"\t$if false x");
}

TEST(InstallerScript, BadConditions) {
    EXPECT_FALSE(ApplyConditions(L"$if maybe x"));
    EXPECT_FALSE(ApplyConditions(L"$if"));
    EXPECT_FALSE(ApplyConditions(L"$if  x"));
    EXPECT_FALSE(ApplyConditions(L"$if ! x"));
    EXPECT_FALSE(ApplyConditions(L"$if 1e x"));
    EXPECT_FALSE(ApplyConditions(L"$if - x"));
    EXPECT_FALSE(ApplyConditions(L"$if true $if nope x"));
    // "$if" alone as the rest is a bad condition too.
    EXPECT_FALSE(ApplyConditions(L"$if true $if"));
    // A false outer condition still has its rest checked on the next round:
    // the rest is dropped first, so nothing is left to check.
    EXPECT_EQ(Apply(L"$if false $if nope x"), L"");
}

TEST(InstallerScript, MakeScriptLines) {
    std::size_t bad = 99;
    auto lines = MakeScriptLines(L"[Setup]\r\n$if false A=1\r\n$if true B=2\r\n\r\nC=3", bad);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::wstring>{L"[Setup]\r", L"", L"B=2\r", L"\r", L"C=3"}));
    EXPECT_EQ(bad, 99u);

    // A final LF leaves an empty last line.
    lines = MakeScriptLines(L"a\r\nb\r\n", bad);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::wstring>{L"a\r", L"b\r", L""}));
    lines = MakeScriptLines(L"", bad);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, std::vector<std::wstring>{L""});

    EXPECT_FALSE(MakeScriptLines(L"ok\r\nalso ok\r\n$if what x\r\n", bad));
    EXPECT_EQ(bad, 2u);
}
