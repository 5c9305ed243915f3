#pragma once

// The desktop program's side of the UserInterface port: message boxes, file dialogs, the
// text windows of the main frame, the wait cursor, the transfer progress window and the
// dialogs of the commands.

#include "base/user_interface.h"

#include <QPointer>
#include <QStringList>

class QWidget;

namespace zv {

class CMainFrame;
class CTransferProgressDialog;

// The stored filter form "Flugbuch (*.log) |*.log||" as QFileDialog name filters
// ("Flugbuch (*.log)"); an empty filter offers all files.
QStringList qtNameFilters(const std::string& stored);

class QtUserInterface : public UserInterface {
public:
    QtUserInterface() = default;
    ~QtUserInterface() override;

    void setMainFrame(CMainFrame* frame) { frame_ = frame; }
    // The window the dialogs belong to.
    QWidget* dialogParent() const;
    CTransferProgressDialog* progressDialog() const;

    void message(const std::string& text, Icon icon) override;
    Answer ask(const std::string& text, Icon icon, Buttons buttons) override;
    std::vector<std::filesystem::path> chooseFiles(const FileDialogRequest& request) override;
    void openDocument(const std::filesystem::path& path) override;
    void closeAllDocuments() override;
    void beginWait() override;
    void endWait() override;
    void progressShow(const std::string& firstText, const std::string& secondText) override;
    void progressSetFirstText(const std::string& text) override;
    void progressSetSecondText(const std::string& text) override;
    void progressSetStep(int step) override;
    void progressSetRange(int maximum) override;
    void progressAdvance() override;
    void progressClose() override;
    bool runSettingsSheet(AppSettings& settings) override;
    bool runLiftExtractDialog(LiftExtractDialogData& data) override;
    bool runInsertFlightDialog(InsertFlightDialogData& data) override;
    bool runTimeSpanDialog(TimeSpanDialogData& data) override;
    void showFlightHoursChart(const FlightHoursTable& table) override;
    void showTakeoffSitesChart(const TakeoffSiteTable& table) override;

private:
    CTransferProgressDialog& progress();

    CMainFrame* frame_ = nullptr;
    QPointer<CTransferProgressDialog> progress_;
};

} // namespace zv
