#pragma once

#include "ui/View.h"

#include <QPointer>

class Button;
class TextField;

// The phone's number pad: it slides up from the bottom of the key window while an amount field is
// being edited, and only then (the field shows and dismisses it as its editing begins and ends). Its
// keys type into that field through the field's typing filter. A touch anywhere else on the screen
// ends the editing. Three picture keys lie over its bottom row (Done, Dot and Back); what they do is
// the page's.
class NumberPad : public View {
    Q_OBJECT
public:
    static constexpr int height = 216;

    // The pad of the key window, made on first use.
    static NumberPad* shared();
    // Slides the pad up for the field; the picture keys appear once it is up.
    void showFor(TextField* field);
    // Slides the pad down.
    void dismiss();
    bool isShown() const { return shown; }
    TextField* target() const { return field; }

    Button* doneKey() const { return done; }
    Button* dotKey() const { return dot; }
    Button* backKey() const { return back; }
    // The digit keys "0" to "9".
    Button* digitKey(int digit) const;

signals:
    void doneTouched();
    void dotTouched();
    void backTouched();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NumberPad(QWidget* parent);
    Button* pictureKey(const QRect& frame, const QString& up, const QString& down);

    QPointer<TextField> field;
    QList<Button*> digits;
    Button* done = nullptr;
    Button* dot = nullptr;
    Button* back = nullptr;
    bool shown = false;
};
