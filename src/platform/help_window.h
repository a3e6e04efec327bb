#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

class Window;
struct HelpWindowData;

// A line of the table of contents; pages are named inside the help's folder,
// with an optional "#anchor".
struct HelpTopic {
    const char* title;
    const char* page;
    int level;
};

// An entry of the index.
struct HelpKeyword {
    const char* word;
    const char* page;
};

struct HelpBook {
    const char* caption;
    // The folder of the pages among the files carried inside the program.
    const char* folder;
    const char* contentsPage;
    std::span<const HelpTopic> contents;
    std::span<const HelpKeyword> index;
};

// The program's own help window: the pages on the right, a table of contents
// and an index on the left. One at a time; opening it again brings it to the
// front on its contents page.
class HelpWindow {
public:
    static void open(Window& owner, const HelpBook& book);
    // The help window open at the moment, or null.
    static HelpWindow* active();
    static void closeActive();

    // The page shown, as named in the book ("index.html").
    std::string currentPage() const;
    std::string caption() const;
    // The text of the page shown, without markup.
    std::string pageText() const;
    std::vector<std::string> contentsTitles() const;
    std::vector<std::string> indexWords() const;
    // What a person does: chooses a line of the contents or of the index.
    void chooseTopic(int row);
    void chooseKeyword(int row);

    ~HelpWindow();
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

private:
    HelpWindow();
    std::unique_ptr<HelpWindowData> data_;
};

} // namespace platform
