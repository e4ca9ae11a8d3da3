#include "ui/TextField.h"

#include "ui/Images.h"
#include "ui/NumberPad.h"
#include "ui/Window.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

TextField::TextField(const QRect& frame, QWidget* parent) : View(frame, parent) {
    edit = new QLineEdit(this);
    edit->setGeometry(0, 0, frame.width(), frame.height());
    edit->setFont(Fonts::system(17));
    edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    restyle();
    edit->installEventFilter(this);
    // Typing, paste, cut, undo, redo and the Delete key all end here, after the line edit made the
    // change: the delegate sees it as one replaced range and may still refuse it.
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& after) { review(after); });
}

QString TextField::text() const {
    return edit->text();
}
void TextField::setText(const QString& text) {
    edit->setText(text);
    shownText = text;
    edit->setCursorPosition(int(text.size()));
}
void TextField::setPlaceholder(const QString& placeholder) {
    edit->setPlaceholderText(placeholder);
}
QString TextField::placeholder() const {
    return edit->placeholderText();
}

void TextField::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    edit->setGeometry(rect());
}

void TextField::restyle() {
    const QString text = color.name(QColor::HexArgb);
    edit->setStyleSheet(
        border == RoundedRect
            ? QStringLiteral("QLineEdit { background: white; color: %1; border: 1px solid #8a8a8a; "
                             "border-radius: 7px; padding: 0 6px; }")
                  .arg(text)
            : QStringLiteral("QLineEdit { background: transparent; color: %1; border: none; "
                             "padding: 0; }")
                  .arg(text));
}

void TextField::setBorderStyle(BorderStyle style) {
    border = style;
    restyle();
}

void TextField::setFont(const QFont& font) {
    edit->setFont(font);
}

QFont TextField::font() const {
    return edit->font();
}

void TextField::setTextColor(const QColor& textColor) {
    color = textColor;
    restyle();
}

void TextField::setTextAlignment(Qt::Alignment alignment) {
    edit->setAlignment(alignment | Qt::AlignVCenter);
}

Qt::Alignment TextField::textAlignment() const {
    return edit->alignment() & Qt::AlignHorizontal_Mask;
}

void TextField::setDelegate(TextFieldDelegate* delegate, QObject* guard) {
    delegateObject = delegate;
    delegateGuard = guard;
}

bool TextField::apply(int start, int length, const QString& replacement) {
    const QString before = edit->text();
    if (delegateObject && delegateGuard &&
        !delegateObject->shouldChangeCharacters(this, before, start, length, replacement))
        return false;
    QString after = before;
    after.replace(start, length, replacement);
    edit->setText(after);
    shownText = after;
    edit->setCursorPosition(start + int(replacement.size()));
    return true;
}

void TextField::review(const QString& after) {
    const QString before = shownText;
    // The change as one range: what both texts share at the front and at the back stays.
    qsizetype front = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (front < shorter && before[front] == after[front])
        ++front;
    qsizetype back = 0;
    while (back < shorter - front && before[before.size() - 1 - back] == after[after.size() - 1 - back])
        ++back;
    const int start = int(front);
    const int length = int(before.size() - front - back);
    const QString replacement = after.mid(front, after.size() - front - back);
    if (delegateObject && delegateGuard &&
        !delegateObject->shouldChangeCharacters(this, before, start, length, replacement)) {
        edit->setText(before);
        edit->setCursorPosition(start + length);
        return;
    }
    shownText = after;
}

void TextField::type(const QString& text) {
    int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    int length = edit->hasSelectedText() ? int(edit->selectedText().size()) : 0;
    if (text.isEmpty() && length == 0) {
        if (start == 0)
            return;
        --start;
        length = 1;
    }
    apply(start, length, text);
}

void TextField::pressReturn() {
    if (delegateObject && delegateGuard)
        delegateObject->shouldReturn(this);
}

// An amount field's number pad is up exactly while the field is being edited.
void TextField::beganEditing() {
    if (delegateObject && delegateGuard)
        delegateObject->didBeginEditing(this);
    if (numbers && edit->hasFocus())
        NumberPad::shared()->showFor(this);
}

void TextField::endedEditing() {
    if (delegateObject && delegateGuard)
        delegateObject->didEndEditing(this);
    if (NumberPad* pad = numbers ? NumberPad::shared() : nullptr; pad && pad->target() == this)
        pad->dismiss();
}

void TextField::becomeFirstResponder() {
    edit->setFocus();
}
void TextField::resignFirstResponder() {
    edit->clearFocus();
}
bool TextField::isFirstResponder() const {
    return edit->hasFocus();
}

// Return is the reader's "done"; every other key edits the line and is reviewed afterwards.
bool TextField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit && event->type() == QEvent::ShortcutOverride) {
        // The line edit would take the shake's keys for its redo.
        auto* key = static_cast<QKeyEvent*>(event);
        return QKeySequence(key->keyCombination()) == Window::shakeShortcut();
    }
    if (watched == edit && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // A menu of the preview or another window taking the keys for a while is no end of editing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        if (event->type() == QEvent::FocusIn)
            beganEditing();
        else
            endedEditing();
        return false;
    }
    if (watched != edit || event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        pressReturn();
        return true;
    }
    return false;
}
