#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "settings_test_support.h"

namespace {

std::string golden(const std::string& name)
{
    return read_file(std::string(VARDANE_SOURCE_DIR) + "/tests/settings/golden/" + name);
}

optSet_t entry_of(const spconverter& cvt, SettingType kind, const std::string& key)
{
    optSet_t entry;
    EXPECT_TRUE(cvt.get_OptSetting(kind, key, entry)) << key;
    return entry;
}

TiffGenType projection_of(const spconverter& cvt, SettingType kind)
{
    TiffGenType gen = static_cast<TiffGenType>(-1);
    EXPECT_TRUE(cvt.get_ProjectionSetting(kind, gen));
    return gen;
}

// Every entry, projection and dimension entry of two converters agree.
void expect_same_state(const spconverter& a, const spconverter& b)
{
    EXPECT_EQ(settings_text(a), settings_text(b));
    for (int k = 1; k <= 32; ++k) {
        const auto kind = static_cast<SettingType>(k);
        ASSERT_EQ(a.get_key_list(kind), b.get_key_list(kind));
        for (const std::string& key : a.get_key_list(kind)) {
            const optSet_t x = entry_of(a, kind, key);
            const optSet_t y = entry_of(b, kind, key);
            EXPECT_EQ(x.flag, y.flag);
            EXPECT_EQ(x.name, y.name);
            EXPECT_EQ(x.index, y.index);
            EXPECT_EQ(x.custom_colorbar, y.custom_colorbar);
            EXPECT_EQ(x.cb_min, y.cb_min) << key;
            EXPECT_EQ(x.cb_max, y.cb_max) << key;
            EXPECT_EQ(x.cb_log, y.cb_log);
            EXPECT_EQ(x.invalid_values, y.invalid_values);
        }
        EXPECT_EQ(a.get_dimensions(kind), b.get_dimensions(kind));
    }
}

} // namespace

TEST(SettingsText, BuiltInSectionsMatchHandWrittenFiles)
{
    const std::string text = settings_text(spconverter());
    EXPECT_EQ(section_of(text, "#GCOMW/L2High"), golden("gcomw_l2high.txt"));
    EXPECT_EQ(section_of(text, "#DPR/MonthlyL3"), golden("dpr_monthly.txt"));
    EXPECT_EQ(section_of(text, "#GCOMW/L3GD"), golden("gcomw_l3gd.txt"));
    EXPECT_EQ(section_of(text, "#GCOMC/NWLR"), golden("gcomc_nwlr.txt"));
    ASSERT_FALSE(golden("gcomw_l3gd.txt").empty());
}

TEST(SettingsText, SectionOrderAndLineShapes)
{
    const std::string text = settings_text(spconverter());
    std::vector<std::string> markers;
    std::size_t projection_lines = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "last line without line break";
        const std::string line = text.substr(start, end - start);
        if (line[0] == '#') {
            markers.push_back(line);
        } else {
            EXPECT_EQ(line[0], '\t') << line;
            EXPECT_EQ(line.find('\t', 1), std::string::npos) << line;
            if (line.rfind("\tProjection: ", 0) == 0) ++projection_lines;
        }
        start = end + 1;
    }
    const std::vector<std::string> expected{
        "#GSMap/HourlyL3", "#GSMap/MonthlyL3", "#DPR/DailyL3", "#DPR/MonthlyL3", "#DPRv7/DailyL3",
        "#DPRv7/MonthlyL3", "#GCOMW/L1AB", "#GCOMW/L1R", "#GCOMW/L2High", "#GCOMW/L2Low",
        "#GCOMW/L3BT", "#GCOMW/L3GD", "#AMSRE/L1AB", "#AMSRE/L1R", "#AMSRE/L2High", "#AMSRE/L2Low",
        "#AMSRE/L3BT", "#AMSRE/L3GD", "#GCOMC/VNR", "#GCOMC/POL", "#GCOMC/IRS", "#GCOMC/NWLR",
        "#GCOMC/IWPR", "#GCOMC/SST", "#GCOMC/LTOA", "#GCOMC/RSRF", "#GCOMC/LST", "#GCOMC/CLFG",
        "#JASMES/Global", "#JASMES/Japan", "#JASMES/Thailand", "#JASMES/Gobi"};
    EXPECT_EQ(markers, expected);
    EXPECT_EQ(projection_lines, 5u);
    EXPECT_EQ(section_of(text, "#GSMap/HourlyL3"),
              "#GSMap/HourlyL3\n\tPercipRate: flag=1,PRC\n\tPercipRate: custom_colorbar=0,0,0,0,\n");
    EXPECT_NE(section_of(text, "#JASMES/Global").find("\n\tProjection: 0\n"), std::string::npos);
}

TEST(SettingsText, NumbersUseSixSignificantDigits)
{
    spconverter cvt;
    optSet_t cb;
    cb.custom_colorbar = true;
    cb.cb_log = true;
    cb.invalid_values = "-999, 0";
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
    optSet_t change;
    change.flag = false;
    change.name = "renamed";
    ASSERT_TRUE(edited.set_OptSetting(ST_GCOMC_LTOA, "Lt_VN08P", change));
    ASSERT_TRUE(edited.set_OptSetting(ST_AMSRE_L1AB, "OC BT (6.9GHz,H)", change));
    change.custom_colorbar = true;
    change.cb_min = -2.5f;
    change.cb_max = 350.25f;
    change.cb_log = true;
    change.invalid_values = "1,2,3";
    ASSERT_TRUE(edited.set_CbOptSetting(ST_JASMES_THAILAND, "tau_500", change));
    ASSERT_TRUE(edited.set_CbOptSetting(ST_DPRV7_MONTHLY, "KaFS all", change));
    ASSERT_TRUE(edited.set_ProjectionSetting(ST_AMSRE_L3GD, TG_POLAR_SOUTH));
    ASSERT_TRUE(edited.set_ProjectionSetting(ST_GCOMW_L3BT, TG_POLAR_BOTH));
    ASSERT_TRUE(edited.saveSetting());
    ASSERT_TRUE(std::filesystem::exists(edited.config_path()));
    EXPECT_EQ(read_file(edited.config_path()), settings_text(edited));

    spconverter loaded;
    loaded.set_config_path(edited.config_path());
    ASSERT_TRUE(loaded.loadSetting());
    expect_same_state(edited, loaded);
    EXPECT_EQ(entry_of(loaded, ST_JASMES_THAILAND, "tau_500").invalid_values, "1,2,3");
    EXPECT_EQ(projection_of(loaded, ST_AMSRE_L3GD), TG_POLAR_SOUTH);
    EXPECT_EQ(projection_of(loaded, ST_GCOMW_L3BT), TG_POLAR_BOTH);

    // Saving again replaces the file and leaves no temporary file behind.
    ASSERT_TRUE(loaded.saveSetting());
    std::size_t files = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder.path() / "sub/dir")) {
        (void)item;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(SettingsFile, MissingOrUnwritableFileReportsFailure)
{
    temp_folder folder;
    spconverter cvt;
    cvt.set_config_path(folder.file("absent.dat"));
    const std::string before = settings_text(cvt);
    EXPECT_FALSE(cvt.loadSetting());
    EXPECT_EQ(settings_text(cvt), before);
    for (const std::string& not_a_file : {folder.path().string(), std::string("/dev/zero")}) {
        cvt.set_config_path(not_a_file);
        EXPECT_FALSE(cvt.loadSetting()) << not_a_file;
        EXPECT_EQ(settings_text(cvt), before);
    }

    // A folder in the way of the file cannot be replaced by a file.
    std::filesystem::create_directories(folder.path() / "taken");
    cvt.set_config_path(folder.file("taken"));
    EXPECT_FALSE(cvt.saveSetting());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "taken"));
}

TEST(SettingsFile, DefaultPathIsBesideTheProgramWhenWritable)
{
    const spconverter cvt;
    const std::filesystem::path path(cvt.config_path());
    EXPECT_EQ(path.filename(), "vdn-config.dat");
    EXPECT_TRUE(std::filesystem::exists(path.parent_path() / "test_settings"));
}

TEST(SettingsReader, KeyValueFormWithAndWithoutTab)
{
    temp_folder folder;
    spconverter cvt;
    load_text(cvt, folder,
              "#DPR/MonthlyL3\r\n"
              "KuNS all: flag=0,PRC_KUN_ALL\r\n"
              "   KaMS all  :  flag = 1 , custom name  \n"
              "\tKuMS all: custom_colorbar=1, 0.5 ,12e2,1,  a,b ,c  \n"
              "\tKuMS convective: custom_colorbar=1,1,2,1\n"  // four parts: skipped
              "\tKuMS stratiform: flag=1\n"                   // no comma: skipped
              "\tDPRMS all: custom_colorbar=1,x1,2,0,\n"      // minimum is no number: skipped
              "\tKaHS all: colour=1,2\n");                    // unknown field: skipped
    EXPECT_FALSE(entry_of(cvt, ST_DPR_MONTHLY, "KuNS all").flag);
    const optSet_t kams = entry_of(cvt, ST_DPR_MONTHLY, "KaMS all");
    EXPECT_TRUE(kams.flag);
    EXPECT_EQ(kams.name, "custom name");  // no name check in this form
    const optSet_t kums = entry_of(cvt, ST_DPR_MONTHLY, "KuMS all");
    EXPECT_TRUE(kums.custom_colorbar);
    EXPECT_EQ(kums.cb_min, 0.5f);
    EXPECT_EQ(kums.cb_max, 1200.0f);
    EXPECT_TRUE(kums.cb_log);
    EXPECT_EQ(kums.invalid_values, "a,b ,c");
    EXPECT_FALSE(entry_of(cvt, ST_DPR_MONTHLY, "KuMS convective").custom_colorbar);
    EXPECT_FALSE(entry_of(cvt, ST_DPR_MONTHLY, "KuMS stratiform").flag);
    EXPECT_FALSE(entry_of(cvt, ST_DPR_MONTHLY, "DPRMS all").custom_colorbar);
}

TEST(SettingsReader, LongNamesStopOnlyTheColumnForm)
{
    const std::string long_name(50, 'L');
    {
        temp_folder folder;
        spconverter cvt;
        load_text(cvt, folder, "#GCOMW/L2Low\n\tTPW: flag=1," + long_name + "\n\tCLW: flag=0,C\n");
        EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "TPW").name, long_name);
        EXPECT_FALSE(entry_of(cvt, ST_GCOMW_L2LOW, "CLW").flag);
    }
    {
        temp_folder folder;
        spconverter cvt;
        load_text(cvt, folder,
                  "#GCOMW/L2Low\n"
                  "\tSSW:\t0\tsswname\t1\t-5\t5\t1\t9,8\n"
                  "\tTPW:\t0\t" + long_name + "\n"
                  "\tCLW\t0\tC\n"
                  "\tSMC: flag=0,M\n");
        const optSet_t ssw = entry_of(cvt, ST_GCOMW_L2LOW, "SSW");
        EXPECT_FALSE(ssw.flag);
        EXPECT_EQ(ssw.name, "sswname");
        EXPECT_TRUE(ssw.custom_colorbar);
        EXPECT_EQ(ssw.cb_min, -5.0f);
        EXPECT_EQ(ssw.cb_max, 5.0f);
        EXPECT_TRUE(ssw.cb_log);
        EXPECT_EQ(ssw.invalid_values, "9,8");
        const optSet_t tpw = entry_of(cvt, ST_GCOMW_L2LOW, "TPW");
        EXPECT_FALSE(tpw.flag);  // changed before the name was refused
        EXPECT_EQ(tpw.name, "TPW");
        EXPECT_TRUE(entry_of(cvt, ST_GCOMW_L2LOW, "CLW").flag);  // after the stop
        EXPECT_TRUE(entry_of(cvt, ST_GCOMW_L2LOW, "SMC").flag);
    }
}

TEST(SettingsReader, MarkersDecideWhereLinesGo)
{
    temp_folder folder;
    spconverter cvt;
    load_text(cvt, folder,
              "\tPercipRate: flag=0,BEFORE\n"   // before any marker
              "#\n"
              "#GSMap/MonthlyL3\n"
              "\tPercipRate: flag=1,MONTH\n"
              "#gsmap/hourlyl3\n"                // unknown: still monthly
              "\tPercipRate: flag=0,STILL_MONTH\n"
              "   #GSMap/HourlyL3\n"            // not a marker line
              "\tPercipRate: flag=1,MONTH2\n"
              "#NONE\n"
              "\tPercipRate: flag=0,AFTER_NONE\n"
              "#GSMap/HourlyL3   \n"            // trailing blanks are trimmed
              "\tPercipRate: flag=1,HOUR\n");
    const optSet_t month = entry_of(cvt, ST_GSMAP_MONTHLY, "PercipRate");
    EXPECT_EQ(month.name, "MONTH2");
    EXPECT_TRUE(month.flag);
    EXPECT_EQ(entry_of(cvt, ST_GSMAP_HOURLY, "PercipRate").name, "HOUR");
}

TEST(SettingsReader, ProjectionLinesAndDimensions)
{
    temp_folder folder;
    spconverter cvt;
    load_text(cvt, folder,
              "#GCOMC/SST\n"
              "\tProjection:\t3\n"        // column form: not for this kind
              "\tProjection: 2\n"         // key-value form: creates the entry
              "#GCOMW/L3BT\n"
              "\tProjection:\t3\n"
              "#AMSRE/L3BT\n"
              "\tProjection: 7\n"
              "#GCOMW/L3GD\n"
              "\tProjection: 2\n"
              "\tlat: dimensions=a,,b\n"
              "\tNew_Set: dimensions= x , y \n"
              "\tTPW: dimensions=ignored\n"
              "#JASMES/Global\n"
              "\tProjection: 3\n");
    EXPECT_EQ(projection_of(cvt, ST_GCOMC_SST), TG_POLAR_NORTH);
    EXPECT_EQ(projection_of(cvt, ST_GCOMW_L3BT), TG_POLAR_SOUTH);
    EXPECT_EQ(projection_of(cvt, ST_AMSRE_L3BT), TG_EQR);
    EXPECT_EQ(projection_of(cvt, ST_GCOMW_L3GD), TG_POLAR_NORTH);
    EXPECT_EQ(projection_of(cvt, ST_JASMES_GLOBAL), TG_EQR);
    // Stored though it reads 0.
    EXPECT_NE(section_of(settings_text(cvt), "#JASMES/Global").find("\tProjection: 3\n"), std::string::npos);

    const auto dims = cvt.get_dimensions(ST_GCOMW_L3GD);
    EXPECT_EQ(dims.at("lat"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(dims.at("New_Set"), (std::vector<std::string>{"x ", " y"}));
    EXPECT_EQ(dims.count("TPW"), 0u);
    EXPECT_EQ(dims.size(), 7u);
    EXPECT_EQ(cvt.get_dimensions(ST_AMSRE_L3GD).at("lat"), (std::vector<std::string>{"line", "pixel"}));
}

TEST(SettingsReader, MalformedFilesNeverStopTheProgram)
{
    temp_folder folder;
    std::mt19937 random(12345);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(random() & 0xff);

    std::string huge_line = "\tKuNS all: flag=0,";
    huge_line.append(10 * 1024 * 1024, 'x');

    static const char with_nul[] = "#DPR/MonthlyL3\n\tKuNS all: flag=1,a\0b\n";
    const std::string texts[] = {
        garbage,
        "#DPR/MonthlyL3\n" + garbage + "\n\tKaMS all: flag=1,AFTER_GARBAGE\n",
        "#DPR/MonthlyL3\n" + huge_line + "\n\tKaHS all: flag=1,AFTER_HUGE\n",
        "#DPR/MonthlyL3\n\tKuNS all: custom_colorbar=1,abc,1e999,1,x\n\tKuNS all\t1\tN\t1\tz\t2\n",
        "#DPR/MonthlyL3\nKuNS all flag=1 PRC\n\t\t\t\n\t:\n:=\n\t: flag=1,x\n#DPR/MonthlyL3",
        std::string(with_nul, sizeof with_nul - 1),
    };
    for (const std::string& text : texts) {
        spconverter cvt;
        load_text(cvt, folder, text);
        const optSet_t kuns = entry_of(cvt, ST_DPR_MONTHLY, "KuNS all");
        EXPECT_EQ(kuns.cb_min, 0.0f);
        EXPECT_EQ(kuns.cb_max, 0.0f);
        EXPECT_EQ(kuns.index, 2);
        EXPECT_EQ(cvt.get_key_list(ST_DPR_MONTHLY).size(), 15u);
    }
    spconverter after_garbage;
    load_text(after_garbage, folder, texts[1]);
    EXPECT_EQ(entry_of(after_garbage, ST_DPR_MONTHLY, "KaMS all").name, "AFTER_GARBAGE");

    spconverter after_huge;
    load_text(after_huge, folder, texts[2]);
    EXPECT_EQ(entry_of(after_huge, ST_DPR_MONTHLY, "KuNS all").name, "PRC_KUN_ALL");
    EXPECT_EQ(entry_of(after_huge, ST_DPR_MONTHLY, "KaHS all").name, "AFTER_HUGE");

    spconverter bad_number;
    load_text(bad_number, folder, texts[3]);
    const optSet_t kuns = entry_of(bad_number, ST_DPR_MONTHLY, "KuNS all");
    EXPECT_FALSE(kuns.custom_colorbar);  // both lines skipped whole
    EXPECT_EQ(kuns.name, "PRC_KUN_ALL");
}

TEST(SettingsReader, TextsThatWouldBreakTheLineLayoutAreWrittenAsBlanks)
{
    spconverter cvt;
    optSet_t cb;
    cb.custom_colorbar = true;
    cb.invalid_values = "1\n#GSMap/HourlyL3\n\tPercipRate: flag=0,x\t2";
    ASSERT_TRUE(cvt.set_CbOptSetting(ST_GSMAP_MONTHLY, "PercipRate", cb));
    optSet_t sel;
    sel.flag = true;
    sel.name = "line\nbreak";
    ASSERT_TRUE(cvt.set_OptSetting(ST_GSMAP_MONTHLY, "PercipRate", sel));

    temp_folder folder;
    cvt.set_config_path(folder.file("vdn-config.dat"));
    ASSERT_TRUE(cvt.saveSetting());
    spconverter loaded;
    loaded.set_config_path(cvt.config_path());
    ASSERT_TRUE(loaded.loadSetting());
    EXPECT_EQ(entry_of(loaded, ST_GSMAP_HOURLY, "PercipRate").name, "PRC");
    EXPECT_TRUE(entry_of(loaded, ST_GSMAP_HOURLY, "PercipRate").flag);
    EXPECT_EQ(entry_of(loaded, ST_GSMAP_MONTHLY, "PercipRate").invalid_values,
              "1 #GSMap/HourlyL3  PercipRate: flag=0,x 2");
    EXPECT_EQ(entry_of(loaded, ST_GSMAP_MONTHLY, "PercipRate").name, "line break");
}

TEST(CopyFrom, CopiesChoicesButNotTheCatalogue)
{
    temp_folder folder;
    spconverter source;
    load_text(source, folder,
              "#GCOMC/SST\n\tSST: flag=0,sst_out\n\tSST: custom_colorbar=1,1,2,1,x\n"
              "#DPRv7/DailyL3\n\tKuFS Ascending: flag=0,kuf\n\tKuFS Ascending: custom_colorbar=1,1,2,1,y\n"
              "#JASMES/Gobi\n\taot: flag=0,aot_out\n\taot: custom_colorbar=1,3,4,0,z\n"
              "#AMSRE/L2High\n\tPRC for 89B: flag=0,b_out\n\tPRC for 89B: custom_colorbar=1,5,6,0,w\n"
              "#GCOMW/L1R\n\tBT (res06,6.9GHz,H): flag=0," + std::string(45, 'n') + "\n"
              "\tBT (res06,6.9GHz,H): custom_colorbar=1,7,8,0,v\n"
              "#GCOMW/L3GD\n\tProjection: 3\n\tlat: dimensions=q\n"
              "#JASMES/Global\n\tProjection: 2\n");
    ASSERT_TRUE(source.set_ProjectionSetting(ST_DPR_DAILY, TG_POLAR_NORTH));

    spconverter target;
    ASSERT_TRUE(target.set_ProjectionSetting(ST_JASMES_GLOBAL, TG_POLAR_SOUTH));
    target.copyfrom(source);

    optSet_t e = entry_of(target, ST_GCOMC_SST, "SST");
    EXPECT_EQ(e.name, "sst_out");
    EXPECT_FALSE(e.custom_colorbar);  // GCOM-C: selection only
    e = entry_of(target, ST_DPRV7_DAILY, "KuFS Ascending");
    EXPECT_EQ(e.name, "kuf");
    EXPECT_EQ(e.invalid_values, "y");
    e = entry_of(target, ST_JASMES_GOBI, "aot");
    EXPECT_EQ(e.name, "aot_out");
    EXPECT_EQ(e.cb_max, 4.0f);
    e = entry_of(target, ST_AMSRE_L2HIGH, "PRC for 89B");
    EXPECT_EQ(e.name, "b_out");
    EXPECT_EQ(e.invalid_values, "w");
    EXPECT_TRUE(entry_of(target, ST_GCOMW_L2HIGH, "PRC for 89B").flag);
    // A name the dialog could not have stored is refused; the colour bar still comes.
    e = entry_of(target, ST_GCOMW_L1R, "BT (res06,6.9GHz,H)");
    EXPECT_EQ(e.name, "r06_6.9GHz_H");
    EXPECT_TRUE(e.flag);
    EXPECT_EQ(e.invalid_values, "v");

    EXPECT_EQ(projection_of(target, ST_GCOMW_L3GD), TG_POLAR_SOUTH);
    EXPECT_EQ(projection_of(target, ST_DPR_DAILY), TG_POLAR_NORTH);
    // The global JASMES choice always arrives as the lat/lon grid.
    EXPECT_NE(section_of(settings_text(target), "#JASMES/Global").find("\tProjection: 0\n"),
              std::string::npos);
    EXPECT_EQ(target.get_dimensions(ST_GCOMW_L3GD).at("lat"), (std::vector<std::string>{"line", "pixel"}));

    // A copy is built the same way and keeps the file path.
    const spconverter copy(source);
    EXPECT_EQ(copy.config_path(), source.config_path());
    EXPECT_EQ(entry_of(copy, ST_JASMES_GOBI, "aot").invalid_values, "z");
    optSet_t change;
    change.name = "only_in_copy";
    spconverter assigned;
    assigned = copy;
    ASSERT_TRUE(assigned.set_OptSetting(ST_JASMES_GOBI, "aot", change));
    EXPECT_EQ(entry_of(copy, ST_JASMES_GOBI, "aot").name, "aot_out");
    EXPECT_EQ(entry_of(assigned, ST_JASMES_GOBI, "aot").name, "only_in_copy");
}
