// Message and input boxes. Every one the program shows goes through a Dialogs service, so tests
// can answer them from a script and see what was asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace qor::ui {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { OK, Cancel, Yes, No };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Modal: pending events run while the box is up, so it is a yield of the handler that asks
    // (see Form::Retired). An empty title gives the program's name.
    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OK,
                     MsgIcon icon = MsgIcon::None, const std::string& title = "");
    // The text entered, or "" when cancelled.
    std::string InputBox(const std::string& prompt, const std::string& title = "",
                         const std::string& defaultText = "");

  protected:
    virtual MsgAnswer showMsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                 const std::string& title) = 0;
    virtual std::string showInputBox(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) = 0;
};

// Qt's message and input boxes. A box belongs to the window whose handler asks, or else to the
// program's active window, and stands above it, also above a window kept on top.
class QtDialogs : public Dialogs {
  public:
    // `defaultTitle` stands in for an empty title. `parent` (may be null) owns the boxes that
    // no window asks for.
    explicit QtDialogs(std::string defaultTitle, QWidget* parent = nullptr);

    // The window a box asked now would belong to.
    QWidget* owner() const;

  private:
    MsgAnswer showMsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override;
    std::string showInputBox(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) override;

    std::string defaultTitle_;
    QWidget* parent_;
};

// For tests: records every box and answers from queues.
class ScriptedDialogs : public Dialogs {
  public:
    struct MsgBoxCall {
        std::string text;
        MsgButtons buttons;
        MsgIcon icon;
        std::string title;
    };
    struct InputBoxCall {
        std::string prompt;
        std::string title;
        std::string defaultText;
    };

    void queueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
    void queueInput(std::string text) { inputs_.push_back(std::move(text)); }
    // With the queue empty: this answer, or else the first button (OK or Yes).
    void setDefaultAnswer(std::optional<MsgAnswer> answer) { defaultAnswer_ = answer; }
    // With the queue empty: this text, or else the box's default text (as pressing OK).
    void setDefaultInput(std::optional<std::string> text) { defaultInput_ = std::move(text); }
    // Whether a box lets pending events run, as a real modal box does (on by default).
    void setYields(bool yields) { yields_ = yields; }

    const std::vector<MsgBoxCall>& msgBoxes() const { return msgBoxes_; }
    const std::vector<InputBoxCall>& inputBoxes() const { return inputBoxes_; }
    std::size_t pendingAnswers() const { return answers_.size(); }

  private:
    MsgAnswer showMsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override;
    std::string showInputBox(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) override;
    void yield() const;

    std::vector<MsgBoxCall> msgBoxes_;
    std::vector<InputBoxCall> inputBoxes_;
    std::deque<MsgAnswer> answers_;
    std::deque<std::string> inputs_;
    std::optional<MsgAnswer> defaultAnswer_;
    std::optional<std::string> defaultInput_;
    bool yields_ = true;
};

}  // namespace qor::ui
