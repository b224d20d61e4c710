// Text edit and option menu driven by synthetic mouse and key events.
#include "QORLIB/gui/toolkit/ControlListener.h"
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/MenuPopup.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/OptionMenu.h"
#include "QORLIB/gui/toolkit/TextEdit.h"

#include <gtest/gtest.h>

using qortk::KeyEvent;
using qortk::Rect;

namespace
{
struct Listener : qortk::ControlListener
{
    int reports = 0;
    double lastValue = -1.0;
    void valueChanged(qortk::Control* c) override
    {
        ++reports;
        lastValue = c->value();
    }
};

KeyEvent text(const char* s) { return {KeyEvent::kNone, s, 0}; }
KeyEvent key(KeyEvent::Virtual v) { return {v, {}, 0}; }

struct Scene
{
    qortk::Frame frame{Rect{0, 0, 300, 200}};
    Listener listener;
    Scene() { frame.setPlatform(std::make_unique<qortk::OffscreenBackend>(frame)); }
};
} // namespace

TEST(TextEdit, TypingThenReturnCommitsAndReportsOnce)
{
    Scene s;
    auto edit = std::make_shared<qortk::TextEdit>(Rect{10, 10, 150, 30}, "Default", &s.listener, 30);
    s.frame.addView(edit);
    s.frame.mouseDown({20, 20}, qortk::kLButton);
    ASSERT_TRUE(edit->isTextEditing());
    EXPECT_EQ(s.frame.focusView(), edit.get());
    for (const char* part : {" ", "B", "\xc3\xa4", "ss"}) // a two-byte letter among them
        s.frame.keyDown(text(part));
    s.frame.keyDown(key(KeyEvent::kBackspace));
    s.frame.keyDown(key(KeyEvent::kBackspace));
    s.frame.keyDown(key(KeyEvent::kBackspace)); // removes the whole two-byte letter
    s.frame.keyDown(text("x"));
    EXPECT_EQ(edit->text(), "Default") << "nothing changes before the commit";
    s.frame.keyDown(key(KeyEvent::kReturn));
    EXPECT_EQ(edit->text(), "Default Bx");
    EXPECT_FALSE(edit->isTextEditing());
    EXPECT_EQ(s.listener.reports, 1);
    EXPECT_EQ(s.frame.focusView(), nullptr);
}

TEST(TextEdit, EscapeRestoresAndAClickElsewhereCommits)
{
    Scene s;
    auto edit = std::make_shared<qortk::TextEdit>(Rect{10, 10, 150, 30}, "abc", &s.listener, 30);
    s.frame.addView(edit);
    s.frame.mouseDown({20, 20}, qortk::kLButton);
    s.frame.keyDown(key(KeyEvent::kHome));
    s.frame.keyDown(key(KeyEvent::kDelete));
    s.frame.keyDown(key(KeyEvent::kEscape));
    EXPECT_EQ(edit->text(), "abc");
    EXPECT_EQ(s.listener.reports, 0);

    s.frame.mouseDown({20, 20}, qortk::kLButton);
    s.frame.keyDown(key(KeyEvent::kLeft));
    s.frame.keyDown(text("X"));
    s.frame.mouseDown({250, 150}, qortk::kLButton); // outside the field
    EXPECT_EQ(edit->text(), "abXc");
    EXPECT_EQ(s.listener.reports, 1);
}

TEST(TextEdit, RespectsItsMaximumLength)
{
    Scene s;
    auto edit = std::make_shared<qortk::TextEdit>(Rect{10, 10, 150, 30}, "", &s.listener, 30);
    edit->setMaxLength(3);
    s.frame.addView(edit);
    edit->startEditing();
    for (const char* c : {"a", "b", "c", "d"})
        s.frame.keyDown(text(c));
    edit->commit();
    EXPECT_EQ(edit->text(), "abc");
}

TEST(TextEdit, SelectionKeysAndCtrlAWorkOnWholeCharacters)
{
    Scene s;
    auto edit = std::make_shared<qortk::TextEdit>(Rect{10, 10, 150, 30}, "Kick \xce\xa9 1", &s.listener, 30);
    s.frame.addView(edit);
    edit->startEditing();
    const KeyEvent ctrlA{KeyEvent::kNone, "a", qortk::kControl};
    s.frame.keyDown(ctrlA);
    EXPECT_EQ(edit->selectionStart(), 0u);
    EXPECT_EQ(edit->selectionEnd(), edit->editText().size());
    s.frame.keyDown(text("S")); // replaces everything
    EXPECT_EQ(edit->editText(), "S");
    for (const char* c : {"n", "\xc3\xa4", "r", "e"})
        s.frame.keyDown(text(c));
    ASSERT_EQ(edit->editText(), "Sn\xc3\xa4re");
    // Shift+Left twice from the end selects "re"; Left then lands before it.
    const KeyEvent shiftLeft{KeyEvent::kLeft, {}, qortk::kShift};
    s.frame.keyDown(shiftLeft);
    s.frame.keyDown(shiftLeft);
    EXPECT_EQ(edit->selectionStart(), 4u);
    EXPECT_EQ(edit->selectionEnd(), 6u);
    s.frame.keyDown(key(KeyEvent::kLeft));
    EXPECT_EQ(edit->caret(), 4u);
    EXPECT_EQ(edit->selectionStart(), edit->selectionEnd());
    // Left over the two-byte letter moves two bytes; Delete removes it whole.
    s.frame.keyDown(key(KeyEvent::kLeft));
    EXPECT_EQ(edit->caret(), 2u);
    s.frame.keyDown(key(KeyEvent::kDelete));
    EXPECT_EQ(edit->editText(), "Snre");
    // Home, Shift+End and Backspace clear it all.
    s.frame.keyDown(key(KeyEvent::kHome));
    s.frame.keyDown(KeyEvent{KeyEvent::kEnd, {}, qortk::kShift});
    s.frame.keyDown(key(KeyEvent::kBackspace));
    EXPECT_EQ(edit->editText(), "");
    // Ctrl with another letter is a shortcut, never text.
    s.frame.keyDown(KeyEvent{KeyEvent::kNone, "v", qortk::kControl});
    EXPECT_EQ(edit->editText(), "");
    edit->cancel(); // the scene's listener goes before its frame
}

TEST(TextEdit, TheLengthLimitNeverSplitsACharacter)
{
    Scene s;
    auto edit = std::make_shared<qortk::TextEdit>(Rect{10, 10, 150, 30}, "", &s.listener, 30);
    edit->setMaxLength(5);
    s.frame.addView(edit);
    edit->startEditing();
    s.frame.keyDown(text("abcd"));
    s.frame.keyDown(text("\xe6\x97\xa5")); // three bytes do not fit in one
    EXPECT_EQ(edit->editText(), "abcd");
    s.frame.keyDown(key(KeyEvent::kBackspace));
    s.frame.keyDown(text("\xce\xa9\xce\xa9")); // one of the two fits
    EXPECT_EQ(edit->editText(), "abc\xce\xa9");
    edit->cancel(); // the scene's listener goes before its frame
}

TEST(OptionMenu, AChosenEntryBecomesTheValueAndIsReported)
{
    Scene s;
    auto menu = std::make_shared<qortk::OptionMenu>(Rect{10, 10, 90, 30}, &s.listener, 60);
    for (const char* e : {"70%", "100%", "150%"})
        menu->addEntry(e);
    menu->addEntry("disabled", false);
    s.frame.addView(menu);
    EXPECT_EQ(menu->current(), 0);
    EXPECT_EQ(menu->text(), "70%");

    s.frame.mouseDown({20, 20}, qortk::kLButton);
    ASSERT_TRUE(menu->isPopupOpen());
    auto* popup = dynamic_cast<qortk::MenuPopup*>(s.frame.modalView());
    ASSERT_NE(popup, nullptr);
    EXPECT_GE(popup->viewSize().top, 30.0) << "opens below the menu";
    // A press on a disabled entry keeps the pop-up open.
    const Rect disabled = popup->itemRect(3);
    s.frame.mouseDown({disabled.left + 5, disabled.top + 5}, qortk::kLButton);
    EXPECT_TRUE(menu->isPopupOpen());
    const Rect third = popup->itemRect(2);
    s.frame.mouseMoved({third.left + 5, third.top + 5}, 0);
    EXPECT_EQ(popup->hovered(), 2);
    s.frame.mouseDown({third.left + 5, third.top + 5}, qortk::kLButton);
    EXPECT_FALSE(menu->isPopupOpen());
    EXPECT_EQ(s.frame.modalView(), nullptr);
    EXPECT_EQ(menu->current(), 2);
    EXPECT_EQ(menu->text(), "150%");
    EXPECT_EQ(s.listener.reports, 1);
    EXPECT_DOUBLE_EQ(s.listener.lastValue, 2.0);
}

TEST(OptionMenu, APressOutsideOrEscapeClosesWithoutAChoice)
{
    Scene s;
    auto menu = std::make_shared<qortk::OptionMenu>(Rect{10, 10, 90, 30}, &s.listener, 60);
    menu->addEntry("one");
    menu->addEntry("two");
    s.frame.addView(menu);
    s.frame.mouseDown({20, 20}, qortk::kLButton);
    s.frame.mouseDown({290, 190}, qortk::kLButton);
    EXPECT_FALSE(menu->isPopupOpen());
    s.frame.mouseDown({20, 20}, qortk::kLButton);
    s.frame.keyDown(key(KeyEvent::kEscape));
    EXPECT_FALSE(menu->isPopupOpen());
    EXPECT_EQ(s.listener.reports, 0);
    EXPECT_EQ(menu->current(), 0);
    // Removing the menu while its pop-up is open leaves no dangling owner behind.
    s.frame.mouseDown({20, 20}, qortk::kLButton);
    s.frame.removeView(menu.get());
    menu.reset();
    s.frame.mouseDown({290, 190}, qortk::kLButton);
    EXPECT_EQ(s.frame.modalView(), nullptr);
}
