#pragma once
// The setup application: its global state and the handlers that walk the
// user through the welcome, selection, install and finish pages of the one
// skinned setup window. A page is the window's background picture plus the
// controls that exist at the moment; a page change detaches the old controls,
// replaces the picture and creates the new ones. There is one instance per
// process (Setup()), created before the toolkit starts and never destroyed
// before the process ends.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "runtime/archive_component.h"
#include "runtime/form.h"
#include "setup/installation.h"
#include "setup/setup_options.h"
#include "skin/controls/custom_install_toggle.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/image_button.h"
#include "skin/controls/image_check.h"
#include "skin/controls/item_list.h"
#include "skin/controls/label.h"
#include "skin/controls/progress_bar.h"
#include "skin/window/skin_window.h"

namespace lirvo::setup {

// Controls are numbered from 1, as the pages name them; elements 7 to 10 are
// never created.
template <typename Control>
class Numbered {
public:
    Control& operator[](std::size_t number) { return items_.at(number - 1); }
    const Control& operator[](std::size_t number) const { return items_.at(number - 1); }
    static constexpr std::size_t Count() { return 10; }

private:
    std::array<Control, 10> items_;
};

struct SetupState {
    std::string advertisingFolder;
    SkinWindow setupWindow;
    Numbered<ImageButton> buttons;  // 1 install, 2 change folder, 3 previous, 4 next, 5 cancel, 6 finish
    SkinWindow customInstallPanel;
    EditBox folderBox;
    Numbered<ImageCheck> checkMarks;  // 1-3 selection page, 4-6 finish page
    SetupOptions options;
    Label freeSpaceLabel;
    CustomInstallToggle customInstallToggle;
    ProgressBar progressBar;
    ItemList finishList;  // on the finish page when this program is not named as the reader
};

class SetupApplication {
public:
    SetupApplication();
    SetupApplication(const SetupApplication&) = delete;
    SetupApplication& operator=(const SetupApplication&) = delete;

    // Loads the startup form without waiting for it.
    void Start();

    void OnStartupFormCreated();
    void OnStartupFormClose();
    void OnStartupFormMoved();
    // The click handler of every button and check mark: acts on user event 3.
    std::int32_t OnSetupClick(HWND host, ObjectHandle sender, std::int32_t event);
    std::int32_t OnCustomInstallClick(HWND host, ObjectHandle sender, std::int32_t event);
    void BuildSelectionPage();
    void LeaveSelectionPage();
    void BuildInstallPage();
    void OnProgressTick();
    void FinishSetup();

    // Shows the user a message about the installation and waits for the
    // answer; a message box over the setup window unless replaced (tests).
    std::function<void(const std::string& message)> tellUser;
    // Asks the user a yes-or-no question and gives the answer; a message box
    // over the setup window, whose default is "no", unless replaced (tests).
    std::function<bool(const std::string& question)> askUser;
    // True once the reader's files are in place: from then on, closing the
    // window completes the installation as the finish button does.
    bool FilesInstalled() const { return filesInstalled_; }
    bool Finished() const { return finished_; }

    SetupState& State() { return state_; }
    runtime::Form& StartupForm() { return startupForm_; }
    runtime::TimerComponent& ProgressTimer() { return progressTimer_; }

private:
    SkinControl::EventHandler ClickHandler();
    void CopyOptionsFromCheckMarks();
    // Runs the next click's installation; false (after telling the user) when
    // the reader could not be installed, so the page stays.
    bool InstallIntoChosenFolder();
    // The folder the user typed, as the installation will use it, or nothing
    // (after telling the user why) when it cannot be used.
    std::optional<std::string> ChosenFolder();
    void Tell(const std::string& message);
    bool Ask(const std::string& question);
    Rect Scaled(double x, double y, std::int32_t width, std::int32_t height) const;

    SetupState state_;
    runtime::Form startupForm_;
    std::array<runtime::ArchiveComponent, 3> archives_;  // only the first is used
    runtime::TimerComponent progressTimer_;
    InstallResult installed_;  // what the next click installed, for the finish
    bool filesInstalled_ = false;
    bool finished_ = false;
};

SetupApplication& Setup();

}  // namespace lirvo::setup
