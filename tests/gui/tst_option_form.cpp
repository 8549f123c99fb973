// The option dialog and the colour-bar dialog, driven as a user would.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <filesystem>

#include "app/window/options/default_colour_range.h"
#include "colour/colour_table.h"
#include "driver/data_folder.h"
#include "driver/product_rules.h"
#include "reader/spinfo.h"
#include "app/window/options/colorbar_setting_element.h"
#include "app/window/options/colorbar_setting_form.h"
#include "app/window/options/option_form.h"
#include "gui_test_support.h"
#include "option_layout_table.h"
#include "settings/spconverter.h"
#include "synth_registry.h"

namespace vardane {

using namespace gui_test;

namespace {

struct row_text {
    QString part, label;
    std::string key;
};

std::vector<row_text> parse_rows(const char* rows)
{
    std::vector<row_text> parsed;
    for (const QString& r : QString::fromUtf8(rows).split(u';', Qt::SkipEmptyParts)) {
        const QStringList f = r.split(u'|');
        parsed.push_back({f[0], f[1], (f.size() > 2 ? f[2] : f[1]).toStdString()});
    }
    return parsed;
}

template <typename W>
W* in(QWidget* parent, const QString& name)
{
    W* w = parent->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
}

QWidget* page(OptionForm& form, const char* name) { return in<QWidget>(&form, QString::fromLatin1(name)); }

// Type a name into a box and press Enter, as a user commits it.
void commit_name(QLineEdit* box, const QString& text)
{
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

optSet_t option(const spconverter& s, SettingType kind, const std::string& key)
{
    optSet_t o;
    if (!s.get_OptSetting(kind, key, o)) qFatal("no option %s", key.c_str());
    return o;
}

// The option kinds and keys whose output name is `name`.
std::vector<std::pair<int, std::string>> named(const spconverter& s, const std::string& name)
{
    std::vector<std::pair<int, std::string>> found;
    for (int k = ST_GSMAP_HOURLY; k <= ST_GCOMC_CLFG; ++k) {
        for (const std::string& key : s.get_key_list(SettingType(k))) {
            if (option(s, SettingType(k), key).name == name) found.emplace_back(k, key);
        }
    }
    return found;
}

// Line of the target grid each check box of a group sits on, in order.
QList<int> lines_of(QGroupBox* box)
{
    QList<int> lines;
    for (QCheckBox* check : box->findChildren<QCheckBox*>()) {
        for (QGridLayout* grid : box->findChildren<QGridLayout*>()) {
            if (const int i = grid->indexOf(check); i >= 0) {
                int row, column, rows, columns;
                grid->getItemPosition(i, &row, &column, &rows, &columns);
                lines << row;
            }
        }
    }
    return lines;
}

QList<int> per_line(const QList<int>& lines)
{
    QList<int> counts;
    for (int l : lines) {
        if (l >= counts.size()) counts.resize(l + 1);
        ++counts[l];
    }
    return counts;
}

// Runs `act` once the next modal dialog is up.
template <typename F>
void when_shown(F act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
}

void click(QWidget* parent, const char* button)
{
    QTest::mouseClick(in<QPushButton>(parent, QString::fromLatin1(button)), Qt::LeftButton);
}

QString program_clt() { return QString::fromStdString(custom_clt_folder().string()); }

// Once the next modal window is up: when it is the message box `name`,
// keeps its text in `said` and presses `answer`; any other window is left
// alone (`said` stays empty).
void answer_box(const char* name, QMessageBox::StandardButton answer, QString* said)
{
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1String(name)) return;
        *said = box->text();
        QVERIFY(box->button(answer));
        box->button(answer)->click();
    });
}

QByteArray file_bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class OptionFormTest : public QObject {
    Q_OBJECT

private slots:
    void every_group_row_and_text_as_users_know_them();
    void names_with_blanks_or_over_forty_characters_are_refused();
    void close_forgets_and_save_keeps_for_the_next_run();
    void projection_and_fixed_selection();
    void generated_groups_in_key_order_and_lines();
    void colour_bar_rows_and_save();
    void close_asks_before_dropping_edits();
    void colour_bar_refuses_ranges_that_cannot_draw();
    void default_shows_the_built_in_range();
    void default_range_is_the_one_files_are_drawn_with();

private:
    scratch s_;
};

void OptionFormTest::every_group_row_and_text_as_users_know_them()
{
    spconverter settings;
    OptionForm form(settings);
    auto* tabs = in<QTabWidget>(&form, QStringLiteral("tabSatellite"));
    const QStringList titles{"GPM", "GCOM-W", "AQUA", "JASMES", "GCOM-C"};
    const QStringList pages{"tabGPM", "tabGCOMW", "tabAQUA", "tabJASMES", "tabGCOMC"};
    QCOMPARE(tabs->count(), titles.size());
    for (int i = 0; i < tabs->count(); ++i) {
        QCOMPARE(tabs->tabText(i), titles[i]);
        QCOMPARE(tabs->widget(i)->objectName(), pages[i]);
    }
    QCOMPARE(form.windowTitle(), QStringLiteral("OptionForm"));

    int unique = 0;
    for (const option_layout::group& g : option_layout::kGroups) {
        auto* box = in<QGroupBox>(page(form, g.page), QString::fromLatin1(g.control));
        QCOMPARE(box->title(), QString::fromUtf8(g.title));
        QCOMPARE(in<QPushButton>(box, QString::fromLatin1(g.button))->text(), QStringLiteral("Color bar setting"));
        const std::vector<row_text> rows = parse_rows(g.rows);
        if (rows.empty()) continue; // built from the option set, checked below
        QCOMPARE(box->findChildren<QCheckBox*>().size(), qsizetype(rows.size()));
        for (const row_text& r : rows) {
            QCOMPARE(in<QCheckBox>(box, QStringLiteral("chk_") + r.part)->text(), r.label);
            // The row edits its own key, of the page's radiometer.
            const std::string name = "n" + std::to_string(++unique);
            commit_name(in<QLineEdit>(box, QStringLiteral("txt_") + r.part), QString::fromStdString(name));
            const auto found = named(form.working_copy(), name);
            QCOMPARE(found.size(), size_t(1));
            QCOMPARE(found[0].second, r.key);
            const bool amsre = found[0].first >= ST_AMSRE_L1AB && found[0].first <= ST_AMSRE_L3GD;
            QCOMPARE(amsre, QByteArray(g.page) == "tabAQUA");
        }
    }
    // Nothing reached the main window's settings.
    QVERIFY(named(settings, "n1").empty());

    // Annotations on the radiometer pages.
    for (const char* p : {"tabGCOMW", "tabAQUA"}) {
        QCOMPARE(in<QCheckBox>(page(form, p), QStringLiteral("chk_AB_89_0GHz_A_H"))->toolTip(),
                 QStringLiteral("Observation Count/Brightness Temperature(89GHz-A,H)"));
        QCOMPARE(in<QCheckBox>(page(form, p), QStringLiteral("chk_r10_36_5GHz_V"))->toolTip(),
                 QStringLiteral("Brightness Temperature (res10,36.5GHz,V)"));
        QCOMPARE(in<QCheckBox>(page(form, p), QStringLiteral("chk_org_89_0GHz_B_V"))->toolTip(),
                 QStringLiteral("Brightness Temperature (original,89GHz-B,V)"));
        QCOMPARE(in<QCheckBox>(page(form, p), QStringLiteral("chk_L3GD_SST10G1"))->toolTip(),
                 QStringLiteral("Sea Surface Temperature 10GHz"));
        QCOMPARE(in<QCheckBox>(page(form, p), QStringLiteral("chk_L3BT_V"))->toolTip(),
                 QStringLiteral("Brightness Temperature(V)"));
    }
    // They show in a balloon once the pointer rests on the box, and go when it leaves.
    form.show();
    auto* tpw = in<QCheckBox>(page(form, "tabGCOMW"), QStringLiteral("chk_L2L_TPW1"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(tpw, &enter);
    const auto balloon = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("annotationBalloon") && w->isVisible()) return w;
        }
        return static_cast<QWidget*>(nullptr);
    };
    QVERIFY(QTest::qWaitFor([&] { return balloon() != nullptr; }, 5000));
    QCOMPARE(in<QLabel>(balloon(), QStringLiteral("annotationTitle"))->text(), QStringLiteral("Annotation"));
    QCOMPARE(in<QLabel>(balloon(), QStringLiteral("annotationText"))->text(),
             QStringLiteral("Total Precipitable Water"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(tpw, &leave);
    QVERIFY(!balloon());
}

void OptionFormTest::names_with_blanks_or_over_forty_characters_are_refused()
{
    spconverter settings;
    OptionForm form(settings);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    struct box_case {
        const char* page;
        const char* box;
        SettingType kind;
    };
    const box_case boxes[] = {{"tabGCOMW", "txt_L2L_TPW1", ST_GCOMW_L2LOW},
                              {"tabGCOMC", "SGLItextBox2", ST_GCOMC_VNR},
                              {"tabGPM", "grp_DprV7DailyL3_textBox1", ST_DPRV7_DAILY}};
    char16_t letter = u'b';
    for (const box_case& c : boxes) {
        const QString forty(40, QChar(letter++));
        auto* box = in<QLineEdit>(page(form, c.page), QString::fromLatin1(c.box));
        const QString before = box->text();
        const auto stored = [&] { return named(form.working_copy(), box->text().toStdString()); };
        for (const QString& refused : {QStringLiteral("two words"), QString(41, u'a'), QStringLiteral("tab\there")}) {
            commit_name(box, refused);
            QCOMPARE(box->text(), before);
        }
        // Leaving the box commits as Enter does.
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, forty);
        in<QPushButton>(&form, QStringLiteral("btnClose"))->setFocus();
        QCOMPARE(box->text(), forty);
        QCOMPARE(stored().size(), size_t(1));
        QCOMPARE(stored()[0].first, int(c.kind));
    }
}

void OptionFormTest::close_forgets_and_save_keeps_for_the_next_run()
{
    const QString config = QDir(s_.path()).filePath(QStringLiteral("vdn-config.dat"));
    spconverter settings;
    settings.set_config_path(config.toStdString());
    QVERIFY(settings.saveSetting());
    const auto file_text = [&] {
        QFile f(config);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    };
    const QByteArray before = file_text();
    const auto rename_gsmap_and = [&](const char* button) {
        OptionForm form(settings);
        when_shown([button](QWidget* dialog) {
            // Enter commits the name; it does not save the dialog.
            commit_name(in<QLineEdit>(dialog, QStringLiteral("txt_PRC_GH")), QStringLiteral("RAIN"));
            QVERIFY(dialog->isVisible());
            // "Close" asks first; the edit is thrown away only when told so.
            QString asked;
            answer_box("unsavedEdits", QMessageBox::Discard, &asked);
            click(dialog, button);
            QCOMPARE(asked.isEmpty(), QByteArray(button) == "btnSet");
        });
        return form.ShowDialog();
    };

    QCOMPARE(rename_gsmap_and("btnClose"), int(QDialog::Rejected));
    QCOMPARE(file_text(), before);
    QCOMPARE(option(settings, ST_GSMAP_HOURLY, "PercipRate").name, std::string("PRC"));

    QCOMPARE(rename_gsmap_and("btnSet"), int(QDialog::Accepted));
    QCOMPARE(option(settings, ST_GSMAP_HOURLY, "PercipRate").name, std::string("RAIN"));
    QVERIFY(file_text() != before);

    // The command line reads the saved file and names its output after it.
    const QString input = s_.sub(QStringLiteral("in")), output = s_.sub(QStringLiteral("out"));
    for (const synth_kind& k : all_synth_kinds()) {
        if (k.name == "GSMAP_HOURLY")
            QVERIFY(k.write(QDir(input).filePath("gsmap_h.h5").toStdString(), synth_options{}));
    }
    QProcess cli;
    cli.start(QStringLiteral(VARDANE_BUILD_DIR "/cli/vardane-cli"),
              {"-q", "-o", output, "--settings", config, "--geotiff", input});
    QVERIFY(cli.waitForFinished(120000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(QDir(output).entryList(QDir::Files), QStringList{"gsmap_h_RAIN.tif"});
}

void OptionFormTest::projection_and_fixed_selection()
{
    spconverter settings;
    optSet_t gsmap = option(settings, ST_GSMAP_MONTHLY, "PercipRate");
    gsmap.flag = false;
    QVERIFY(settings.set_OptSetting(ST_GSMAP_MONTHLY, "PercipRate", gsmap));
    OptionForm form(settings);
    spconverter& work = form.working_copy();

    // The GSMaP variable is always converted.
    auto* fixed = in<QCheckBox>(page(form, "tabGPM"), QStringLiteral("chk_PRC_GM"));
    QVERIFY(fixed->isChecked() && !fixed->isEnabled());
    commit_name(in<QLineEdit>(page(form, "tabGPM"), QStringLiteral("txt_PRC_GM")), QStringLiteral("P"));
    QVERIFY(option(work, ST_GSMAP_MONTHLY, "PercipRate").flag);

    const auto projection = [&](SettingType kind) {
        TiffGenType t = TG_EQR;
        work.get_ProjectionSetting(kind, t);
        return t;
    };
    struct page_kinds {
        const char* page;
        SettingType mine, other;
    };
    for (const page_kinds& p :
         {page_kinds{"tabGCOMW", ST_GCOMW_L3GD, ST_AMSRE_L3GD}, page_kinds{"tabAQUA", ST_AMSRE_L3GD, ST_GCOMW_L3GD}}) {
        QWidget* pg = page(form, p.page);
        auto* list = in<QComboBox>(pg, QStringLiteral("cbx_L3GD_polar"));
        QVERIFY(!list->isEnabled());
        in<QRadioButton>(pg, QStringLiteral("rbtn_L3GD_polar"))->click();
        QVERIFY(list->isEnabled());
        QCOMPARE(projection(p.mine), TG_POLAR_BOTH);
        list->setCurrentIndex(2);
        QCOMPARE(projection(p.mine), TG_POLAR_SOUTH);
        QCOMPARE(projection(p.other), TG_EQR);
        in<QRadioButton>(pg, QStringLiteral("rbtn_L3GD_lonlat"))->click();
        QCOMPARE(projection(p.mine), TG_EQR);
        QVERIFY(!list->isEnabled());
    }

    // A stored polar choice shows when the dialog opens again, on the GPM
    // page, in the size it was left in.
    work.set_ProjectionSetting(ST_GCOMW_L3BT, TG_POLAR_NORTH);
    settings.copyfrom(work);
    form.show();
    in<QTabWidget>(&form, QStringLiteral("tabSatellite"))->setCurrentIndex(3);
    form.resize(900, 640);
    form.reject();
    OptionForm again(settings);
    again.show();
    QCOMPARE(again.size(), QSize(900, 640));
    QCOMPARE(in<QTabWidget>(&again, QStringLiteral("tabSatellite"))->currentIndex(), 0);
    QVERIFY(in<QRadioButton>(page(again, "tabGCOMW"), QStringLiteral("rbtn_L3BT_polar"))->isChecked());
    QCOMPARE(in<QComboBox>(page(again, "tabGCOMW"), QStringLiteral("cbx_L3BT_polar"))->currentIndex(), 1);
}

void OptionFormTest::generated_groups_in_key_order_and_lines()
{
    spconverter settings;
    OptionForm form(settings);
    // SGLI groups: three to a line, the last line partly filled.
    const auto vnr = page(form, "tabGCOMC")->findChildren<QGroupBox*>().at(0);
    QCOMPARE(vnr->title(), QStringLiteral("GCOM-C L1B VNR"));
    QCOMPARE(settings.get_key_list(ST_GCOMC_VNR).size(), size_t(13));
    QCOMPARE(per_line(lines_of(vnr)), (QList<int>{3, 3, 3, 3, 1}));
    QVERIFY(!vnr->findChild<QPushButton*>());

    // DPR(V07) daily: two to a line in ascending key order.
    auto* daily = in<QGroupBox>(page(form, "tabGPM"), QStringLiteral("grp_DprV7DailyL3"));
    std::vector<std::string> keys = settings.get_key_list(ST_DPRV7_DAILY);
    std::sort(keys.begin(), keys.end());
    QStringList texts;
    for (QCheckBox* c : daily->findChildren<QCheckBox*>()) texts << c->text();
    QStringList expected;
    for (const std::string& k : keys) expected << QString::fromStdString(k);
    QCOMPARE(texts, expected);
    QCOMPARE(per_line(lines_of(daily)), (QList<int>{2, 2, 2}));
    QCOMPARE(per_line(lines_of(in<QGroupBox>(page(form, "tabGPM"), QStringLiteral("grp_DprV7MonthlyL3")))),
             (QList<int>{3, 3, 3}));
}

void OptionFormTest::colour_bar_rows_and_save()
{
    const QString config = QDir(s_.path()).filePath(QStringLiteral("cb-config.dat"));
    spconverter org;
    org.set_config_path(config.toStdString());
    spconverter work(org);
    const QString table = QDir(program_clt()).filePath(QStringLiteral("custom_amsr2_l2l_SST10GHz"));
    QFile::remove(table + ".clt");
    QFile::remove(table + ".png");

    const auto rows_of = [](QWidget* dialog) { return dialog->findChildren<ColorbarSettingElement*>(); };
    struct first_row {
        SettingType kind;
        const char* text;
        int rows;
    };
    for (const first_row& c :
         {first_row{ST_JASMES_GOBI, "aot", 1}, first_row{ST_GCOMW_L1R, "Brighness Temperature (res06,6.9GHz,H)", 40},
          first_row{ST_GCOMW_L1AB, "Observation Count/Brighness Temperature (6.9GHz,H)", 16}}) {
        ColorbarSettingForm form(org, work);
        when_shown([&](QWidget* dialog) {
            QCOMPARE(int(rows_of(dialog).size()), c.rows);
            QCOMPARE(in<QLabel>(rows_of(dialog).at(0), QStringLiteral("label1"))->text(), QString::fromLatin1(c.text));
            // Edits are forgotten on "Close".
            in<QRadioButton>(rows_of(dialog).at(0), QStringLiteral("radioCustom"))->click();
            click(dialog, "btnClose");
        });
        QCOMPARE(form.ShowDialog(c.kind), int(QDialog::Rejected));
    }
    QVERIFY(!QFile::exists(config));

    // "Save" with every row on "Default": no table, but the settings file.
    {
        ColorbarSettingForm form(org, work);
        when_shown([](QWidget* dialog) { click(dialog, "btnSave"); });
        QCOMPARE(form.ShowDialog(ST_GCOMW_L2LOW), int(QDialog::Accepted));
        QVERIFY(QFile::exists(config));
        QVERIFY(!QFile::exists(table + ".clt"));
    }

    // A custom row, opened from the option dialog's button: a maximum that
    // is not a number is refused, the dialog stays open; once corrected both
    // settings objects take the row, and its table and legend are written.
    OptionForm options(org);
    QString refusal;
    when_shown([&refusal](QWidget* optionDialog) {
        when_shown([&refusal](QWidget* dialog) {
            QCOMPARE(in<QGroupBox>(dialog, QStringLiteral("groupBox1"))->title(),
                     QString::fromStdString(spconverter().get_category_text(ST_GCOMW_L2LOW)));
            QWidget* sst = in<QWidget>(dialog, QStringLiteral("SST10GHz"));
            in<QRadioButton>(sst, QStringLiteral("radioCustom"))->click();
            in<QLineEdit>(sst, QStringLiteral("txtMin"))->setText(QStringLiteral("271.5"));
            in<QLineEdit>(sst, QStringLiteral("txtMax"))->setText(QStringLiteral("not a number"));
            in<QComboBox>(sst, QStringLiteral("cmbType"))->setCurrentIndex(1);
            answer_box("rangeProblems", QMessageBox::Ok, &refusal);
            click(dialog, "btnSave");
            QVERIFY(dialog->isVisible());
            in<QLineEdit>(sst, QStringLiteral("txtMax"))->setText(QStringLiteral("310"));
            click(dialog, "btnSave");
        });
        click(in<QWidget>(optionDialog, QStringLiteral("tabGCOMW")), "btn_cb_GCOMW_L2Low");
        // What the colour-bar dialog saved is saved: closing asks nothing.
        QVERIFY(!static_cast<OptionForm*>(optionDialog)->has_unsaved_edits());
        click(optionDialog, "btnClose");
    });
    QCOMPARE(options.ShowDialog(), int(QDialog::Rejected));
    QVERIFY(refusal.contains(QStringLiteral("SST10GHz(Sea Surface Temperature 10GHz): the maximum \"not a number\" "
                                            "is not a number.")));
    const optSet_t after = option(org, ST_GCOMW_L2LOW, "SST10GHz");
    QVERIFY(after.custom_colorbar && after.cb_log);
    QCOMPARE(after.cb_min, 271.5f);
    QCOMPARE(after.cb_max, 310.0f);
    // The settings file says so, and the table spans the range.
    spconverter reread;
    reread.set_config_path(config.toStdString());
    QVERIFY(reread.loadSetting());
    QCOMPARE(option(reread, ST_GCOMW_L2LOW, "SST10GHz").cb_max, 310.0f);
    const std::vector<color_map> classes = GetColorMap((table + ".clt").toStdString());
    QCOMPARE(classes.size(), size_t(11));
    QCOMPARE(classes.front().lower, 271.5f);
    QCOMPARE(classes.back().upper, 310.0f);
    QVERIFY(QFile::exists(table + ".png"));
    QFile::remove(table + ".clt");
    QFile::remove(table + ".png");
}

void OptionFormTest::close_asks_before_dropping_edits()
{
    const QString config = QDir(s_.path()).filePath(QStringLiteral("ask-config.dat"));
    spconverter settings;
    settings.set_config_path(config.toStdString());
    QVERIFY(settings.saveSetting());
    const QByteArray before = file_bytes(config);
    const auto name_in = [](const spconverter& s) { return option(s, ST_GSMAP_HOURLY, "PercipRate").name; };

    // Without edits every way out closes at once.
    for (int way = 0; way < 3; ++way) {
        OptionForm form(settings);
        QString asked;
        when_shown([&, way](QWidget* dialog) {
            answer_box("unsavedEdits", QMessageBox::Cancel, &asked);
            if (way == 0) click(dialog, "btnClose");
            if (way == 1) QTest::keyClick(dialog, Qt::Key_Escape);
            if (way == 2) dialog->close(); // the window manager's close box
        });
        QCOMPARE(form.ShowDialog(), int(QDialog::Rejected));
        QVERIFY2(asked.isEmpty(), qPrintable(asked));
    }

    // With an edit: Cancel keeps the dialog and the edit, by every way out;
    // Discard closes and keeps nothing.
    {
        OptionForm form(settings);
        QStringList asked;
        when_shown([&](QWidget* dialog) {
            auto* box = in<QLineEdit>(dialog, QStringLiteral("txt_PRC_GH"));
            commit_name(box, QStringLiteral("RAIN"));
            for (int way = 0; way < 3; ++way) {
                QString said;
                answer_box("unsavedEdits", QMessageBox::Cancel, &said);
                if (way == 0) click(dialog, "btnClose");
                if (way == 1) QTest::keyClick(dialog, Qt::Key_Escape);
                if (way == 2) dialog->close();
                asked << said;
                QVERIFY(dialog->isVisible());
                QCOMPARE(box->text(), QStringLiteral("RAIN"));
            }
            QString said;
            answer_box("unsavedEdits", QMessageBox::Discard, &said);
            QTest::keyClick(dialog, Qt::Key_Escape);
            asked << said;
        });
        QCOMPARE(form.ShowDialog(), int(QDialog::Rejected));
        QCOMPARE(asked.size(), 4);
        for (const QString& a : asked)
            QCOMPARE(a, QStringLiteral("The options have been changed. Save the changes "
                                       "before closing?"));
        QCOMPARE(name_in(settings), std::string("PRC"));
        QCOMPARE(file_bytes(config), before);
    }

    // A name typed and not yet committed counts too; "Save" in the question
    // saves as the dialog's own "Save" does.
    {
        OptionForm form(settings);
        QString asked;
        when_shown([&](QWidget* dialog) {
            auto* box = in<QLineEdit>(dialog, QStringLiteral("txt_PRC_GH"));
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("SNOW"));
            answer_box("unsavedEdits", QMessageBox::Save, &asked);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(form.ShowDialog(), int(QDialog::Accepted));
        QVERIFY(!asked.isEmpty());
        QCOMPARE(name_in(settings), std::string("SNOW"));
        spconverter reread;
        reread.set_config_path(config.toStdString());
        QVERIFY(reread.loadSetting());
        QCOMPARE(name_in(reread), std::string("SNOW"));
    }
}

void OptionFormTest::colour_bar_refuses_ranges_that_cannot_draw()
{
    const QString config = QDir(s_.path()).filePath(QStringLiteral("range-config.dat"));
    spconverter org;
    org.set_config_path(config.toStdString());
    spconverter work(org);
    const QString table = QDir(program_clt()).filePath(QStringLiteral("custom_amsr2_l2l_TPW"));
    QFile::remove(table + ".clt");

    struct range_case {
        const char* minimum;
        const char* maximum;
        int type; // 0 Linear, 1 Log
        const char* problem;
    };
    const range_case refused[] = {
        {"5", "5", 0, "the minimum (5) must be below the maximum (5)"},
        {"0", "0", 1, "the minimum (0) must be below the maximum (0)"},
        {"10", "2.5", 0, "the minimum (10) must be below the maximum (2.5)"},
        {"abc", "5", 0, "the minimum \"abc\" is not a number"},
        {"1", "5x", 1, "the maximum \"5x\" is not a number"},
        {"", "5", 0, "the minimum is empty"},
        {"1", "inf", 0, "the maximum \"inf\" is not a number"},
    };
    for (const range_case& c : refused) {
        ColorbarSettingForm form(org, work);
        QString said;
        when_shown([&](QWidget* dialog) {
            QWidget* tpw = in<QWidget>(dialog, QStringLiteral("TPW"));
            in<QRadioButton>(tpw, QStringLiteral("radioCustom"))->click();
            in<QLineEdit>(tpw, QStringLiteral("txtMin"))->setText(QString::fromUtf8(c.minimum));
            in<QLineEdit>(tpw, QStringLiteral("txtMax"))->setText(QString::fromUtf8(c.maximum));
            in<QComboBox>(tpw, QStringLiteral("cmbType"))->setCurrentIndex(c.type);
            answer_box("rangeProblems", QMessageBox::Ok, &said);
            click(dialog, "btnSave");
            QVERIFY(dialog->isVisible());
            click(dialog, "btnClose");
        });
        QCOMPARE(form.ShowDialog(ST_GCOMW_L2LOW), int(QDialog::Rejected));
        QVERIFY2(said.contains(QStringLiteral("TPW(Total Precipitable Water): ") + QString::fromUtf8(c.problem) + u'.'),
                 qPrintable(said));
        QVERIFY(!option(org, ST_GCOMW_L2LOW, "TPW").custom_colorbar);
        QVERIFY(!option(work, ST_GCOMW_L2LOW, "TPW").custom_colorbar);
        QVERIFY(!QFile::exists(config));
        QVERIFY(!QFile::exists(table + ".clt"));
    }

    // A range that draws is taken, a logarithmic one from 0 too (the
    // program's own precipitation tables are such), with a comma decimal.
    ColorbarSettingForm form(org, work);
    QString said;
    when_shown([&](QWidget* dialog) {
        QWidget* tpw = in<QWidget>(dialog, QStringLiteral("TPW"));
        in<QRadioButton>(tpw, QStringLiteral("radioCustom"))->click();
        in<QLineEdit>(tpw, QStringLiteral("txtMin"))->setText(QStringLiteral("0"));
        in<QLineEdit>(tpw, QStringLiteral("txtMax"))->setText(QStringLiteral(" 60.5 "));
        in<QComboBox>(tpw, QStringLiteral("cmbType"))->setCurrentIndex(1);
        answer_box("rangeProblems", QMessageBox::Ok, &said);
        click(dialog, "btnSave");
    });
    QCOMPARE(form.ShowDialog(ST_GCOMW_L2LOW), int(QDialog::Accepted));
    QVERIFY2(said.isEmpty(), qPrintable(said));
    spconverter reread;
    reread.set_config_path(config.toStdString());
    QVERIFY(reread.loadSetting());
    const optSet_t tpw = option(reread, ST_GCOMW_L2LOW, "TPW");
    QVERIFY(tpw.custom_colorbar && tpw.cb_log);
    QCOMPARE(tpw.cb_min, 0.0f);
    QCOMPARE(tpw.cb_max, 60.5f);
    const std::vector<color_map> classes = GetColorMap((table + ".clt").toStdString());
    QCOMPARE(classes.size(), size_t(11));
    QCOMPARE(classes.front().lower, 0.0f);
    QCOMPARE(classes.back().upper, 60.5f);
    QVERIFY(classes[1].upper > 0.0f && classes[1].upper < classes[2].upper);
    QFile::remove(table + ".clt");
    QFile::remove(table + ".png");
}

void OptionFormTest::default_shows_the_built_in_range()
{
    spconverter org;
    org.set_config_path(QDir(s_.path()).filePath(QStringLiteral("default-config.dat")).toStdString());
    spconverter work(org);
    // What the row shows: min, max, type, and whether they can be edited.
    const auto shown = [](QWidget* row) {
        return QStringList{in<QLineEdit>(row, QStringLiteral("txtMin"))->text(),
                           in<QLineEdit>(row, QStringLiteral("txtMax"))->text(),
                           in<QComboBox>(row, QStringLiteral("cmbType"))->currentText(),
                           in<QLineEdit>(row, QStringLiteral("txtMin"))->isEnabled() ? "editable" : "fixed"};
    };
    struct default_case {
        SettingType kind;
        const char* key;
        QStringList expected;
    };
    // The ranges of the built-in tables (data/README.md), written out.
    const default_case cases[] = {
        {ST_GCOMW_L2LOW, "SST", {"-2", "32", "Linear", "fixed"}},
        {ST_GCOMW_L2LOW, "SST10GHz", {"-2", "32", "Linear", "fixed"}},
        {ST_GCOMW_L2LOW, "SWE", {"0", "100", "Linear", "fixed"}},
        {ST_GCOMW_L2LOW, "TPW", {"0", "70", "Linear", "fixed"}},
        {ST_AMSRE_L3GD, "PRC", {"0", "50", "Log", "fixed"}},
        {ST_GCOMW_L1R, "BT (res06,6.9GHz,H)", {"100", "300", "Linear", "fixed"}},
        {ST_GSMAP_MONTHLY, "PercipRate", {"0", "5", "Log", "fixed"}},
        {ST_JASMES_JAPAN, "lst_", {"250", "330", "Linear", "fixed"}},
        {ST_JASMES_GLOBAL, "ndvi", {"-0.2", "1", "Linear", "fixed"}},
        {ST_JASMES_GLOBAL, "ghrm5c(cs_flg_tpf)", {"0", "10", "Linear", "fixed"}},
        // A picture in its own colours has no table.
        {ST_JASMES_GLOBAL, "1Krgb", {"", "", "Linear", "fixed"}},
    };
    for (const default_case& c : cases) {
        ColorbarSettingForm form(org, work);
        when_shown([&](QWidget* dialog) {
            QWidget* row = in<QWidget>(dialog, QString::fromLatin1(c.key));
            QCOMPARE(shown(row), c.expected);
            if (c.expected[0].isEmpty())
                QCOMPARE(in<QLineEdit>(row, QStringLiteral("txtMin"))->placeholderText(), QStringLiteral("no table"));
            click(dialog, "btnClose");
        });
        form.ShowDialog(c.kind);
    }

    // "Custom" on a range never set starts from the default; the user's
    // range and the default take turns with the choice.
    ColorbarSettingForm form(org, work);
    when_shown([&](QWidget* dialog) {
        QWidget* sst = in<QWidget>(dialog, QStringLiteral("SST"));
        in<QRadioButton>(sst, QStringLiteral("radioCustom"))->click();
        QCOMPARE(shown(sst), (QStringList{"-2", "32", "Linear", "editable"}));
        in<QLineEdit>(sst, QStringLiteral("txtMax"))->setText(QStringLiteral("30"));
        in<QComboBox>(sst, QStringLiteral("cmbType"))->setCurrentIndex(1);
        in<QRadioButton>(sst, QStringLiteral("radioDefault"))->click();
        QCOMPARE(shown(sst), (QStringList{"-2", "32", "Linear", "fixed"}));
        in<QRadioButton>(sst, QStringLiteral("radioCustom"))->click();
        QCOMPARE(shown(sst), (QStringList{"-2", "30", "Log", "editable"}));
        // Saved on "Default", the user's range is not taken.
        in<QRadioButton>(sst, QStringLiteral("radioDefault"))->click();
        click(dialog, "btnSave");
    });
    QCOMPARE(form.ShowDialog(ST_GCOMW_L2LOW), int(QDialog::Accepted));
    const optSet_t sst = option(org, ST_GCOMW_L2LOW, "SST");
    QVERIFY(!sst.custom_colorbar && !sst.cb_log);
    QCOMPARE(sst.cb_max, 0.0f);
}

void OptionFormTest::default_range_is_the_one_files_are_drawn_with()
{
    // For the products of every kind with a colour bar (but JASMES, whose
    // file names carry the variable): the table "Default" names is the one a
    // run chooses for the file, for every key the file offers.
    const QString folder = s_.sub(QStringLiteral("drawn"));
    const std::vector<std::string> geophysical{"CLW", "PRC", "SIC", "SMC", "SND", "SST", "SSW", "TPW"};
    int checked = 0;
    spconverter settings;
    for (const synth_kind& k : all_synth_kinds()) {
        const bool byGeo = k.name.find("L2_LOW") != std::string::npos || k.name.find("L3_GD") != std::string::npos;
        const bool drawn = k.name.rfind("AMSR", 0) == 0 || k.name.rfind("GSMAP_H", 0) == 0
                           || k.name.rfind("GSMAP_M", 0) == 0 || k.name.rfind("DPR", 0) == 0;
        // L1A counts share the L1B keys; "Default" shows the temperatures'.
        if (!drawn || k.name == "AMSR2_L1A") continue;
        for (const std::string& geo : byGeo ? geophysical : std::vector<std::string>{""}) {
            synth_options options;
            if (byGeo) options.variants = {{"geo", geo}};
            const std::string path = QDir(folder).filePath(QString::fromStdString(k.name + geo + ".h5")).toStdString();
            QVERIFY2(k.write(path, options), path.c_str());
            spinfo info;
            info.init(path, std::filesystem::file_size(path));
            const product_rule* rule = find_product_rule(info.getType());
            QVERIFY2(rule, path.c_str());
            // As with two layers, so that SND and SST files offer their second key too.
            const std::vector<std::string> keys =
                byGeo ? geophysical_candidates(info.getGeophsyicalName(), 2) : settings.get_key_list(rule->setting);
            QVERIFY(!keys.empty());
            QVERIFY2(!info.getCLT().empty(), path.c_str());
            for (const std::string& key : keys) {
                QCOMPARE(
                    QString::fromStdString(k.name + geo + " " + key + ": " + default_colour_table(rule->setting, key)),
                    QString::fromStdString(k.name + geo + " " + key + ": " + info.getCLT()));
                ++checked;
            }
        }
    }
    QVERIFY(checked > 40);
}

} // namespace vardane

QTEST_MAIN(vardane::OptionFormTest)
#include "tst_option_form.moc"
