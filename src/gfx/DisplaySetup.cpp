// Setting up the display for the main window, with a message for the step that failed.
#include "app/GameDlg.h"
#include "platform/Platform.h"

namespace {

struct StepText {
    platform::DisplayStep step;
    const char* text;  // Windows-1250
};

// In the order the steps are taken.
const StepText kStepTexts[] = {
    {platform::DisplayStep::CreateDevice, "Pad\xb3 Direct Draw"},
    {platform::DisplayStep::QueryInterface, "Pad\xb3 Direct Draw 7"},
    {platform::DisplayStep::Exclusive, "Pad\xb3 Tryb Wy\xb3\xb9\x63zno\x9c\x63i"},
    {platform::DisplayStep::Resolution, "Pad\xb3\x61 Rozdzielczo\x9c\xe6"},
    {platform::DisplayStep::PrimarySurface, "Przednia Powierzchnia Pad\xb3\x61"},
    {platform::DisplayStep::BackBuffer, "Tylnia Powierzchnia Pad\xb3\x61"},
};

}  // namespace

bool CGameDlg::ReportDisplayFailure(const std::string& textCp1250) {
    platform::Services& services = platform::Current();
    if (services.display) services.display->ShowArrowCursor();
    platform::ShowMessage(textCp1250);
    return false;
}

bool CGameDlg::SetUpDisplay() {
    platform::IDisplay* display = platform::Current().display;
    if (!display) return ReportDisplayFailure(kStepTexts[0].text);
    display->HideCursor();
    const platform::DisplayStep failed = display->Open(screenWidth, screenHeight, "Kolvenbrook 3D");
    if (failed != platform::DisplayStep::Ok) {
        for (const StepText& entry : kStepTexts) {
            if (entry.step == failed) return ReportDisplayFailure(entry.text);
        }
        return ReportDisplayFailure(kStepTexts[0].text);
    }
    directDraw = display;
    drawTarget = display->BackBuffer();
    return true;
}
