// The services the program needs from its host system: message boxes,
// questions, small dialogs, file dialogs, cursor and status text, starting
// other programs, the temporary folder and environment variables.
//
// The core never talks to a window system directly. It asks the one current
// Platform, which is either the headless implementation (batch runs, tests)
// or the window implementation of the desktop program.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kv5 {

// Answer of a three-way question (Yes / No / Cancel).
enum class YesNoCancel { Yes, No, Cancel };

// The dialog a choice is offered in: a list box for long choices, radio
// buttons for short ones (the core decides which).
enum class ChoiceStyle { List, RadioButtons };

// Cause and remedy of a message as shown in, or edited in, the
// explanation window.
struct ExplanationTexts {
  std::string cause;
  std::string remedy;
  bool operator==(const ExplanationTexts&) const = default;
};

// A request for a file name from an open or save dialog.
struct FileDialogRequest {
  std::string title;
  std::string filter;         // e.g. "*.kv5|*.kv5"
  std::string initialFolder;  // may be empty
  std::string initialName;    // proposed file name, may be empty
  std::string defaultExtension;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Message boxes. Texts are UTF-8.
  virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
  virtual YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& question) = 0;

  // Small modal dialogs. Each returns nothing (std::nullopt) when cancelled.
  // AskChoice: items are offered in the given style, `preselected` is the
  // 0-based index shown first; the result is the 0-based index chosen.
  virtual std::optional<int> AskChoice(const std::string& title,
                                       const std::vector<std::string>& items, int preselected,
                                       ChoiceStyle style) = 0;
  virtual std::optional<std::string> AskText(const std::string& prompt, int maxLength,
                                             const std::string& current) = 0;
  virtual std::optional<bool> AskYesNoChoice(const std::string& question, bool current) = 0;
  // The explanation window of one message (read-only message, editable
  // cause and remedy): the edited texts when the person changed them and
  // confirmed with OK, nothing when the window was closed without a change.
  virtual std::optional<ExplanationTexts> ShowExplanation(const std::string& message,
                                                          const std::string& cause,
                                                          const std::string& remedy) = 0;

  // File dialogs: the chosen full file name, or nothing when cancelled.
  virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;

  // Feedback while working.
  virtual void SetBusy(bool busy) = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void Beep() = 0;

  // Other programs: start a command line (returns false when it could not
  // be started); open a file with the program associated with its type.
  virtual bool StartProgram(const std::string& commandLine) = 0;
  virtual bool OpenWithAssociatedProgram(const std::string& fileName) = 0;

  // Shows a text file in the modal text window (the screen channel of the
  // text output). Without a window there is nothing to show.
  virtual void ShowTextFile(const std::string& fileName, const std::string& caption) {
    (void)fileName;
    (void)caption;
  }

  // Prints a text file (pages end at form feeds) on the system's printer,
  // after its print dialog. False when this platform cannot print; the
  // caller then writes the pages as a PDF file instead.
  virtual bool PrintTextFile(const std::string& fileName) {
    (void)fileName;
    return false;
  }

  // Waiting (animation pauses), milliseconds.
  virtual void Sleep(int milliseconds) = 0;

  // Screen facts used for default window sizes.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int ScreenDpi() const = 0;

  // Whether a person can answer questions (false in batch runs).
  virtual bool Interactive() const = 0;
};

// The current platform. At start this is a headless platform that never waits.
Platform& CurrentPlatform();
// Installs another platform (not owned); nullptr returns to the built-in
// headless one.
void SetPlatform(Platform* platform);

// Whether a window system can be reached: a display ($DISPLAY,
// $WAYLAND_DISPLAY) or a Qt platform chosen by $QT_QPA_PLATFORM (such as
// "offscreen").
bool WindowSystemAvailable();

// The folder the installation puts the delivered data files in (the
// explanation file, the example project); always ends with "/".
std::string DeliveredDataFolder();

// Environment and file-system services that need no window.
std::string EnvironmentVariable(const std::string& name);  // empty when unset
// The folder for temporary files: $TMPDIR, else /tmp; always ends with "/".
std::string SystemTempFolder();
// The current working folder, ending with "/".
std::string CurrentFolder();
// The per-installation folder of the program's own files (configuration
// fall-back, delivered data): $KV5_HOME, else $XDG_DATA_HOME/kv5/, else
// $HOME/.local/share/kv5/; always ends with "/".
std::string InstallationFolder();

}  // namespace kv5
