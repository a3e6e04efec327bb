#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

class Window;
struct DialogData;

enum class ControlKind { DefaultButton, Button, GroupBox, FlatGroupBox, RadioButton, StaticText, Picture, Edit };

// Geometry in dialog units of the dialog's font. Texts are UTF-8; a picture
// control names a picture carried inside the program.
struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::StaticText;
    const char* text = "";
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool startsGroup = false;
};

struct DialogTemplate {
    const char* caption = "";
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    const char* fontFace = "";
    int fontPoints = 9;
    std::span<const ControlTemplate> controls;
};

// Keys a person presses on the control that has the focus.
enum class DialogKey { Return, Tab, Home, End, Left, Right };

// Changed: the text of an edit control was changed by the person typing.
enum class DialogEvent { Init, Command, Changed };

class Dialog;
// Command events carry the control id; the close box and Escape arrive as id 2.
// Returns 1 for an event it handled.
using DialogProc = int (*)(Dialog& dialog, DialogEvent event, int id, void* context);

// A modal dialog over the main window, built from a template.
class Dialog {
public:
    // Runs the dialog until its procedure ends it; returns the result given to end().
    static int run(Window& owner, const DialogTemplate& dialogTemplate, DialogProc proc, void* context);
    // The dialog open at the moment, or null.
    static Dialog* active();

    void end(int result);
    bool isChecked(int id) const;
    void setChecked(int id, bool checked);
    // Text of an edit or static control, as Shift-JIS bytes; characters that
    // Shift-JIS cannot hold are left out.
    std::string text(int id) const;
    std::string textUtf8(int id) const;
    void setText(int id, std::string_view sjis);
    // The most Shift-JIS bytes an edit control accepts; a key that would pass
    // the limit is refused, and a paste gives only what fits.
    void setTextLimit(int id, int bytes);
    // A line shown under the controls, for a hint about bad input; empty hides it.
    void showHint(std::string_view utf8);
    std::string hint() const;
    std::string caption() const;
    bool hasFocus(int id) const;

    // What a person does: click a control, type into an edit control, paste
    // text into it from the clipboard, press a key, press Escape, close the
    // dialog with its close box.
    void click(int id);
    void type(int id, std::string_view utf8);
    void paste(int id, std::string_view utf8);
    void pressKey(DialogKey key);
    void pressEscape();
    void closeBox();

    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    DialogData* data() { return data_.get(); }

private:
    Dialog();
    std::unique_ptr<DialogData> data_;
};

} // namespace platform
