#pragma once

#include "ui/View.h"

#include <functional>

class QLineEdit;

class TextField;

// Asked about each change the reader makes, whatever its source, and told when the reader presses
// return.
class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    // The text before the change, the range it replaces and the replacement. False refuses the change.
    virtual bool shouldChangeCharacters(TextField* field, const QString& before, int start, int length,
                                        const QString& replacement) = 0;
    virtual bool shouldReturn(TextField* field) = 0;
    virtual void didBeginEditing(TextField* field) { Q_UNUSED(field); }
    virtual void didEndEditing(TextField* field) { Q_UNUSED(field); }
};

// A one-line text field with a rounded border and a placeholder, its text centred vertically.
class TextField : public View {
    Q_OBJECT
public:
    explicit TextField(const QRect& frame, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    void setPlaceholder(const QString& placeholder);
    QString placeholder() const;
    void setDelegate(TextFieldDelegate* delegate, QObject* guard);

    enum BorderStyle { NoBorder, RoundedRect };
    void setBorderStyle(BorderStyle style);
    void setFont(const QFont& font);
    QFont font() const;
    void setTextColor(const QColor& color);
    void setTextAlignment(Qt::Alignment alignment);
    Qt::Alignment textAlignment() const;
    // Which row a field belongs to.
    void setTag(int tag) { tagValue = tag; }
    int tag() const { return tagValue; }
    // A field for amounts: the number pad is up while it is edited, and the desktop's keys type only
    // what the pad could.
    void setNumberPad(bool numberPad) { numbers = numberPad; }
    bool isNumberPad() const { return numbers; }

    // Typing as the reader would: replaces the selection (or inserts at the cursor) with the text,
    // asking the delegate first. An empty text deletes one character backwards.
    void type(const QString& text);
    void pressReturn();
    void becomeFirstResponder();
    void resignFirstResponder(); // closes the keyboard
    bool isFirstResponder() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void beganEditing();
    void endedEditing();
    bool apply(int start, int length, const QString& replacement);
    void review(const QString& after);
    void restyle();
    QLineEdit* edit;
    BorderStyle border = RoundedRect;
    QColor color = Qt::black;
    int tagValue = 0;
    bool numbers = false;
    QString shownText; // the text as the delegate last agreed to it
    TextFieldDelegate* delegateObject = nullptr;
    QPointer<QObject> delegateGuard;
};
