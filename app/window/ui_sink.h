#pragma once

#include "driver/run_sink.h"

namespace vardane {

class MainForm;

// The window's side of the run driver. Calls from the worker thread are
// posted to the UI thread and run there in the order they were made; a call
// made on the UI thread first lets every call still queued run, then runs at
// once, so the log never shows lines out of order.
class ui_sink final : public run_sink {
public:
    explicit ui_sink(MainForm& form) : form_(form) {}

    void printLog(const std::string& text) override;
    void printNewLog(const std::string& text) override;
    void append_outputList(const std::string& path) override;
    void ChangeRunMode(bool running) override;
    void progress(int done, int total, const std::string& current) override;
    void report(const run_event& event) override;

private:
    template <typename Call>
    void post(Call&& call);

    MainForm& form_;
};

} // namespace vardane
