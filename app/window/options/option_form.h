#pragma once

#include <memory>

#include <QDialog>

#include "settings/option_types.h"

class QTabWidget;

namespace vardane {

class AmsrOpts;
class AnnotationTip;
class GPMOptsGroupBox;
class OptionPage;
class SgliOpts;
class spconverter;

// The option dialog: per product family which variables are converted,
// their output names, the projection of gridded outputs and the colour bars
// of KMZ outputs. Every change goes to a working copy of the settings at
// once; "Save" copies it into the main window's settings and writes the
// settings file, "Close" (or Esc, or the close box) forgets it, after
// asking when it holds changes "Save" would keep.
class OptionForm : public QDialog {
    Q_OBJECT
public:
    explicit OptionForm(spconverter& settings, QWidget* parent = nullptr);
    ~OptionForm() override;

    // Shows the dialog modally; on "Save" commits the working copy and
    // saves the settings file. Returns the dialog result.
    int ShowDialog();

    // The working copy the pages edit.
    spconverter& working_copy() { return *p_SPCVT; }
    // Whether "Save" would change the main window's settings.
    bool has_unsaved_edits() const;

    // "Close", Esc and the close box: with unsaved edits the user chooses
    // to save them, discard them or stay.
    void reject() override;

protected:
    // Every opening starts on the "GPM" page.
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void OptionForm_Load();
    void init_tooltip();
    void init_evnet_setting();
    void btnColorbar_Click(SettingType kind);

    spconverter& org_SPCVT;
    std::unique_ptr<spconverter> p_SPCVT;
    QTabWidget* tabSatellite = nullptr;
    OptionPage* tabGPM = nullptr;
    AmsrOpts* tabGCOMW = nullptr;
    AmsrOpts* tabAQUA = nullptr;
    OptionPage* tabJASMES = nullptr;
    SgliOpts* tabGCOMC = nullptr;
    GPMOptsGroupBox* grp_DprV7DailyL3 = nullptr;
    GPMOptsGroupBox* grp_DprV7MonthlyL3 = nullptr;
    AnnotationTip* tips_ = nullptr;
};

} // namespace vardane
