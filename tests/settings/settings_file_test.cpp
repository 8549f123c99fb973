#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "settings_test_support.h"

namespace vardane {

namespace {

std::string golden(const std::string& name)
{
    return read_file(std::string(VARDANE_SOURCE_DIR) + "/tests/settings/golden/" + name);
}

} // namespace

TEST(SettingsText, BuiltInSectionsMatchHandWrittenFiles)
{
    const std::string text = settings_text(spconverter());
    for (const auto& [marker, file] : {std::pair{"#GCOMW/L2High", "gcomw_l2high.txt"},
                                       {"#DPR/MonthlyL3", "dpr_monthly.txt"},
                                       {"#GCOMW/L3GD", "gcomw_l3gd.txt"},
                                       {"#GCOMC/NWLR", "gcomc_nwlr.txt"}}) {
        ASSERT_FALSE(golden(file).empty()) << file;
        EXPECT_EQ(section_of(text, marker), golden(file)) << file;
    }
}

// Existing files are found by these markers, letter for letter and in this order.
TEST(SettingsText, SectionOrderAndLineShapes)
{
    const std::string text = settings_text(spconverter());
    std::vector<std::string> markers;
    std::size_t projection_lines = 0;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "last line without line break";
        const std::string line = text.substr(start, end - start);
        if (line[0] == '#') {
            markers.push_back(line);
            continue;
        }
        EXPECT_EQ(line[0], '\t') << line;
        EXPECT_EQ(line.find('\t', 1), std::string::npos) << line;
        if (line.rfind("\tProjection: ", 0) == 0) ++projection_lines;
    }
    const std::vector<std::string> expected{
        "#GSMap/HourlyL3",  "#GSMap/MonthlyL3", "#DPR/DailyL3",  "#DPR/MonthlyL3", "#DPRv7/DailyL3", "#DPRv7/MonthlyL3",
        "#GCOMW/L1AB",      "#GCOMW/L1R",       "#GCOMW/L2High", "#GCOMW/L2Low",   "#GCOMW/L3BT",    "#GCOMW/L3GD",
        "#AMSRE/L1AB",      "#AMSRE/L1R",       "#AMSRE/L2High", "#AMSRE/L2Low",   "#AMSRE/L3BT",    "#AMSRE/L3GD",
        "#GCOMC/VNR",       "#GCOMC/POL",       "#GCOMC/IRS",    "#GCOMC/NWLR",    "#GCOMC/IWPR",    "#GCOMC/SST",
        "#GCOMC/LTOA",      "#GCOMC/RSRF",      "#GCOMC/LST",    "#GCOMC/CLFG",    "#JASMES/Global", "#JASMES/Japan",
        "#JASMES/Thailand", "#JASMES/Gobi"};
    EXPECT_EQ(markers, expected);
    EXPECT_EQ(projection_lines, 5u);
}

TEST(SettingsText, NumbersUseSixSignificantDigits)
{
    spconverter cvt;
    optSet_t cb{false, "", 0, true, 0, 0, true, "-999, 0"};
    const struct {
        float minimum;
        float maximum;
        const char* text;
    } cases[] = {{0.0f, 1000.0f, "1,0,1000,1,-999, 0"},
                 {0.5f, 1000000.0f, "1,0.5,1e+06,1,-999, 0"},
                 {-32768.0f, 273.15f, "1,-32768,273.15,1,-999, 0"},
                 {0.000123456789f, 123456789.0f, "1,0.000123457,1.23457e+08,1,-999, 0"}};
    for (const auto& c : cases) {
        cb.cb_min = c.minimum;
        cb.cb_max = c.maximum;
        ASSERT_TRUE(cvt.set_CbOptSetting(ST_GSMAP_MONTHLY, "PercipRate", cb));
        const std::string section = section_of(settings_text(cvt), "#GSMap/MonthlyL3");
        EXPECT_NE(section.find(std::string("\tPercipRate: custom_colorbar=") + c.text + "\n"), std::string::npos)
            << section;
    }
}

TEST(SettingsFile, SaveThenLoadReproducesEveryEntry)
{
    temp_folder folder;
    spconverter edited;
    edited.set_config_path(folder.file("sub/dir/vdn-config.dat"));
    const optSet_t change{false, "renamed", 0, true, -2.5f, 350.25f, true, "1,2,3"};
    ASSERT_TRUE(edited.set_OptSetting(ST_GCOMC_LTOA, "Lt_VN08P", change));
    ASSERT_TRUE(edited.set_OptSetting(ST_AMSRE_L1AB, "OC BT (6.9GHz,H)", change));
    ASSERT_TRUE(edited.set_CbOptSetting(ST_JASMES_THAILAND, "tau_500", change));
    ASSERT_TRUE(edited.set_CbOptSetting(ST_DPRV7_MONTHLY, "KaFS all", change));
    ASSERT_TRUE(edited.set_ProjectionSetting(ST_AMSRE_L3GD, TG_POLAR_SOUTH));
    ASSERT_TRUE(edited.set_ProjectionSetting(ST_GCOMW_L3BT, TG_POLAR_BOTH));
    ASSERT_TRUE(edited.saveSetting());
    EXPECT_EQ(read_file(edited.config_path()), settings_text(edited));

    // The text holds every entry, projection choice and dimension entry.
    spconverter loaded;
    loaded.set_config_path(edited.config_path());
    ASSERT_TRUE(loaded.loadSetting());
    EXPECT_TRUE(loaded.load_warnings().empty());
    EXPECT_EQ(settings_text(loaded), settings_text(edited));
    EXPECT_EQ(entry_of(loaded, ST_JASMES_THAILAND, "tau_500").invalid_values, "1,2,3");
    EXPECT_EQ(projection_of(loaded, ST_AMSRE_L3GD), TG_POLAR_SOUTH);

    // Saving again replaces the file and leaves no temporary file behind.
    ASSERT_TRUE(loaded.saveSetting());
    const auto files = std::distance(std::filesystem::directory_iterator(folder.path() / "sub/dir"),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 1);
}

// False is what tells a front end that the settings it was given are not in
// effect; it must also mean that nothing of the file was applied.
TEST(SettingsFile, MissingOrUnreadableFileReportsFailureAndChangesNothing)
{
    temp_folder folder;
    spconverter cvt;
    std::ofstream(folder.file("vdn-config.dat")) << "#GSMap/HourlyL3\n\tPercipRate: flag=0,a/b\n";
    cvt.set_config_path(folder.file("vdn-config.dat"));
    ASSERT_TRUE(cvt.loadSetting());
    ASSERT_EQ(cvt.load_warnings().size(), 1u);
    const std::string before = settings_text(cvt);
    // A folder fails to read (EISDIR), /dev/zero never ends, and reading
    // /proc/self/mem at offset 0 fails with EIO even for root.
    for (const std::string& unreadable :
         {folder.file("absent.dat"), folder.path().string(), std::string("/dev/zero"), std::string("/proc/self/mem")}) {
        cvt.set_config_path(unreadable);
        EXPECT_FALSE(cvt.loadSetting()) << unreadable;
        EXPECT_TRUE(cvt.load_warnings().empty()) << unreadable;
        EXPECT_EQ(settings_text(cvt), before) << unreadable;
    }

    // A folder in the way of the file cannot be replaced by a file.
    std::filesystem::create_directories(folder.path() / "taken");
    cvt.set_config_path(folder.file("taken"));
    EXPECT_FALSE(cvt.saveSetting());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "taken"));
}

TEST(SettingsFile, DefaultPathIsBesideTheProgramWhenWritable)
{
    const std::filesystem::path path(spconverter().config_path());
    EXPECT_EQ(path.filename(), "vdn-config.dat");
    EXPECT_TRUE(std::filesystem::exists(path.parent_path() / "test_settings"));
}

// Output names become file names. A name that could not be one is refused in
// the dialogs and in both line forms of the file, the entry keeps its name and
// the refusal is reported; the column form also stops reading there.
TEST(SettingsReader, OutputNamesThatCannotBeFileNamesAreRefusedAndReported)
{
    const struct {
        std::string name;
        std::string shown; // as the warning writes it
    } refused[] = {
        {"", ""},
        {std::string(41, 'n'), std::string(41, 'n')},
        {"two words", "two words"},
        {"a/b", "a/b"},
        {"/", "/"},
        {".", "."},
        {"..", ".."},
        {"a\x01z", "a\\x01z"},
        {"esc\x1b[2J", "esc\\x1B[2J"},
        {"del\x7f", "del\\x7F"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.shown);
        spconverter cvt;
        EXPECT_FALSE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "TPW", optSet_t{false, r.name, 0, false, 0, 0, false, ""}));

        load_text(cvt, "#GCOMW/L2Low\n\tTPW: flag=0," + r.name + "\n\tCLW: flag=0,C2\n");
        // The flag is taken before the name is refused.
        optSet_t tpw = entry_of(spconverter(), ST_GCOMW_L2LOW, "TPW");
        tpw.flag = false;
        EXPECT_EQ(entry_text(cvt, ST_GCOMW_L2LOW, "TPW"), entry_text(tpw));
        EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "CLW").name, "C2"); // reading went on
        ASSERT_EQ(cvt.load_warnings().size(), 1u);
        EXPECT_EQ(cvt.load_warnings()[0],
                  "Settings: output name \"" + r.shown + "\" of \"#GCOMW/L2Low\" key \"TPW\" refused; kept \"TPW\".");

        load_text(cvt, "#GCOMW/L2Low\n\tTPW:\t1\t" + r.name + "\t1\n\tCLW\t1\tC3\n");
        tpw.flag = true;
        EXPECT_EQ(entry_text(cvt, ST_GCOMW_L2LOW, "TPW"), entry_text(tpw));
        EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "CLW").name, "C2"); // after the stop
        ASSERT_EQ(cvt.load_warnings().size(), 1u);                  // the previous load's line is gone
        EXPECT_NE(cvt.load_warnings()[0].find("output name \"" + r.shown + "\" of \"#GCOMW/L2Low\" key \"TPW\""),
                  std::string::npos);
    }
    spconverter cvt;
    for (const std::string& accepted :
         {std::string(40, 'n'), std::string("..."), std::string("r06_6.9GHz_H"), std::string("\xC3\xA9t\xC3\xA9")}) {
        EXPECT_TRUE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "TPW", optSet_t{true, accepted, 0, false, 0, 0, false, ""}));
        load_text(cvt, "#GCOMW/L2Low\n\tCLW: flag=1," + accepted + "\n\tSST\t1\t" + accepted + "\n");
        EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "CLW").name, accepted);
        EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "SST").name, accepted);
        EXPECT_TRUE(cvt.load_warnings().empty()) << accepted;
    }
}

TEST(SettingsReader, BothLineFormsAndTheLinesTheySkip)
{
    spconverter cvt;
    load_text(cvt,
              "#GCOMW/L2Low\n\tSSW:\t0\tsswname\t1\t-5\t5\t1\t9,8\n\tCLW\t0\t C \n"
              "#DPR/MonthlyL3\r\n"
              "KuNS all: flag=0,PRC_KUN_ALL\r\n"
              "   KaMS all  :  flag = 1 ,  custom  \n"
              "\tKuMS all: custom_colorbar=1, 0.5 ,12e2,1,  a,b ,c  \n"
              "\tKuMS convective: custom_colorbar=1,1,2,1\n" // four parts: skipped
              "\tKuMS stratiform: flag=1\n"                  // no comma: skipped
              "\tDPRMS all: custom_colorbar=1,x1,2,0,\n"     // minimum is no number: skipped
              "\tKaHS all: colour=1,2\n");                   // unknown field: skipped
    const struct {
        SettingType kind;
        const char* key;
        const char* entry; // none: as built in
    } read[] = {
        {ST_DPR_MONTHLY, "KuNS all", "0,PRC_KUN_ALL | 0,0,0,0,"},
        {ST_DPR_MONTHLY, "KaMS all", "1,custom | 0,0,0,0,"},
        {ST_DPR_MONTHLY, "KuMS all", "0,PRC_KUM_ALL | 1,0.5,1200,1,a,b ,c"},
        {ST_DPR_MONTHLY, "KuMS convective", nullptr},
        {ST_DPR_MONTHLY, "KuMS stratiform", nullptr},
        {ST_DPR_MONTHLY, "DPRMS all", nullptr},
        {ST_DPR_MONTHLY, "KaHS all", nullptr},
        {ST_GCOMW_L2LOW, "SSW", "0,sswname | 1,-5,5,1,9,8"},
        {ST_GCOMW_L2LOW, "CLW", "0,C | 0,0,0,0,"},
    };
    for (const auto& r : read) {
        const std::string built_in = entry_text(spconverter(), r.kind, r.key);
        EXPECT_EQ(entry_text(cvt, r.kind, r.key), r.entry ? r.entry : built_in) << r.key;
    }
}

TEST(SettingsReader, MarkersDecideWhereLinesGo)
{
    spconverter cvt;
    load_text(cvt,
              "\tPercipRate: flag=0,BEFORE\n" // before any marker
              "#\n"
              "#GSMap/MonthlyL3\n"
              "\tPercipRate: flag=1,MONTH\n"
              "#gsmap/hourlyl3\n" // unknown: still monthly
              "\tPercipRate: flag=0,STILL_MONTH\n"
              "   #GSMap/HourlyL3\n" // not a marker line
              "\tPercipRate: flag=1,MONTH2\n"
              "#NONE\n"
              "\tPercipRate: flag=0,AFTER_NONE\n"
              "#GSMap/HourlyL3   \n" // trailing blanks are trimmed
              "\tPercipRate: flag=1,HOUR\n");
    const optSet_t month = entry_of(cvt, ST_GSMAP_MONTHLY, "PercipRate");
    EXPECT_EQ(month.name, "MONTH2");
    EXPECT_TRUE(month.flag);
    EXPECT_EQ(entry_of(cvt, ST_GSMAP_HOURLY, "PercipRate").name, "HOUR");
}

TEST(SettingsReader, ProjectionLinesAndDimensions)
{
    spconverter cvt;
    load_text(cvt,
              "#GCOMC/SST\n"
              "\tProjection:\t3\n" // column form: not for this kind
              "\tProjection: 2\n"  // key-value form: creates the entry
              "#GCOMW/L3BT\n"
              "\tProjection:\t3\n"
              "#AMSRE/L3BT\n"
              "\tProjection: 7\n"
              "#GCOMW/L3GD\n"
              "\tlat: dimensions=a,,b\n"
              "\tNew_Set: dimensions= x , y \n"
              "\tTPW: dimensions=ignored\n"
              "#JASMES/Global\n"
              "\tProjection: 3\n");
    EXPECT_EQ(projection_of(cvt, ST_GCOMC_SST), TG_POLAR_NORTH);
    EXPECT_EQ(projection_of(cvt, ST_GCOMW_L3BT), TG_POLAR_SOUTH);
    EXPECT_EQ(projection_of(cvt, ST_AMSRE_L3BT), TG_EQR);
    EXPECT_EQ(projection_of(cvt, ST_JASMES_GLOBAL), TG_EQR);
    // Stored though it reads 0.
    EXPECT_NE(section_of(settings_text(cvt), "#JASMES/Global").find("\tProjection: 3\n"), std::string::npos);

    const auto dims = cvt.get_dimensions(ST_GCOMW_L3GD);
    EXPECT_EQ(dims.at("lat"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(dims.at("New_Set"), (std::vector<std::string>{"x ", " y"}));
    EXPECT_EQ(dims.count("TPW"), 0u);
    EXPECT_EQ(cvt.get_dimensions(ST_AMSRE_L3GD).at("lat"), (std::vector<std::string>{"line", "pixel"}));
}

TEST(SettingsReader, MalformedFilesNeverStopTheProgram)
{
    std::mt19937 random(12345);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(random() & 0xff);
    std::string huge_line = "\tKuNS all: flag=0,";
    huge_line.append(10 * 1024 * 1024, 'x');
    static const char with_nul[] = "#DPR/MonthlyL3\n\tKuNS all: flag=1,a\0b\n";

    const struct {
        std::string text;
        const char* key_after; // a line after the damage is still read
    } cases[] = {
        {garbage, nullptr},
        {"#DPR/MonthlyL3\n" + garbage + "\n\tKaMS all: flag=1,AFTER\n", "KaMS all"},
        {"#DPR/MonthlyL3\n" + huge_line + "\n\tKaHS all: flag=1,AFTER\n", "KaHS all"},
        // Both lines are skipped whole.
        {"#DPR/MonthlyL3\n\tKuNS all: custom_colorbar=1,abc,1e999,1,x\n\tKuNS all\t1\tN\t1\tz\t2\n", nullptr},
        {"#DPR/MonthlyL3\nKuNS all flag=1 PRC\n\t\t\t\n\t:\n:=\n\t: flag=1,x\n#DPR/MonthlyL3", nullptr},
        {std::string(with_nul, sizeof with_nul - 1), nullptr},
    };
    for (const auto& c : cases) {
        spconverter cvt;
        load_text(cvt, c.text);
        EXPECT_EQ(entry_text(cvt, ST_DPR_MONTHLY, "KuNS all"), entry_text(spconverter(), ST_DPR_MONTHLY, "KuNS all"));
        EXPECT_EQ(cvt.get_key_list(ST_DPR_MONTHLY).size(), 15u);
        if (c.key_after) {
            EXPECT_EQ(entry_of(cvt, ST_DPR_MONTHLY, c.key_after).name, "AFTER");
        }
    }
}

TEST(SettingsReader, TextsThatWouldBreakTheLineLayoutAreWrittenAsBlanks)
{
    spconverter cvt;
    optSet_t cb;
    cb.invalid_values = "1\n#GSMap/HourlyL3\n\tPercipRate: flag=0,x\t2";
    ASSERT_TRUE(cvt.set_CbOptSetting(ST_GSMAP_MONTHLY, "PercipRate", cb));
    spconverter loaded;
    load_text(loaded, settings_text(cvt));
    EXPECT_EQ(entry_of(loaded, ST_GSMAP_HOURLY, "PercipRate").name, "PRC");
    EXPECT_TRUE(entry_of(loaded, ST_GSMAP_HOURLY, "PercipRate").flag);
    EXPECT_EQ(entry_of(loaded, ST_GSMAP_MONTHLY, "PercipRate").invalid_values,
              "1 #GSMap/HourlyL3  PercipRate: flag=0,x 2");
}

TEST(CopyFrom, CopiesChoicesButNotTheCatalogue)
{
    spconverter source;
    load_text(source, "#GCOMC/SST\n\tSST: flag=0,sst_out\n\tSST: custom_colorbar=1,1,2,1,x\n"
                      "#DPRv7/DailyL3\n\tKuFS Ascending: flag=0,kuf\n\tKuFS Ascending: custom_colorbar=1,1,2,1,y\n"
                      "#JASMES/Gobi\n\taot: flag=0,aot_out\n\taot: custom_colorbar=1,3,4,0,z\n"
                      "#AMSRE/L2High\n\tPRC for 89B: flag=0,b_out\n\tPRC for 89B: custom_colorbar=1,5,6,0,w\n"
                      "#GCOMW/L3GD\n\tProjection: 3\n\tlat: dimensions=q\n"
                      "#JASMES/Global\n\tProjection: 2\n");
    ASSERT_TRUE(source.set_ProjectionSetting(ST_DPR_DAILY, TG_POLAR_NORTH));

    spconverter target;
    ASSERT_TRUE(target.set_ProjectionSetting(ST_JASMES_GLOBAL, TG_POLAR_SOUTH));
    target.copyfrom(source);

    // One entry per way of copying: selection only for GCOM-C, everything else whole.
    const struct {
        SettingType kind;
        const char* key;
        const char* name;
        const char* invalid_values;
    } copied[] = {{ST_GCOMC_SST, "SST", "sst_out", ""},
                  {ST_DPRV7_DAILY, "KuFS Ascending", "kuf", "y"},
                  {ST_JASMES_GOBI, "aot", "aot_out", "z"},
                  {ST_AMSRE_L2HIGH, "PRC for 89B", "b_out", "w"},
                  {ST_GCOMW_L2HIGH, "PRC for 89B", "PRC_89B", ""}};
    for (const auto& c : copied) {
        EXPECT_EQ(entry_of(target, c.kind, c.key).name, c.name);
        EXPECT_EQ(entry_of(target, c.kind, c.key).invalid_values, c.invalid_values) << c.name;
    }

    EXPECT_EQ(projection_of(target, ST_GCOMW_L3GD), TG_POLAR_SOUTH);
    EXPECT_EQ(projection_of(target, ST_DPR_DAILY), TG_POLAR_NORTH);
    // The global JASMES choice always arrives as the lat/lon grid.
    EXPECT_NE(section_of(settings_text(target), "#JASMES/Global").find("\tProjection: 0\n"), std::string::npos);
    EXPECT_EQ(target.get_dimensions(ST_GCOMW_L3GD).at("lat"), (std::vector<std::string>{"line", "pixel"}));

    // A copy is built the same way and keeps the file path; it is independent.
    const spconverter copy(source);
    EXPECT_EQ(copy.config_path(), source.config_path());
    EXPECT_EQ(entry_of(copy, ST_JASMES_GOBI, "aot").invalid_values, "z");
    spconverter assigned;
    assigned = copy;
    ASSERT_TRUE(
        assigned.set_OptSetting(ST_JASMES_GOBI, "aot", optSet_t{false, "only_in_copy", 0, false, 0, 0, false, ""}));
    EXPECT_EQ(entry_of(copy, ST_JASMES_GOBI, "aot").name, "aot_out");
    EXPECT_EQ(entry_of(assigned, ST_JASMES_GOBI, "aot").name, "only_in_copy");
}

} // namespace vardane
