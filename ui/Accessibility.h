#pragma once

#include <QString>

class Button;

// What the guide's controls tell assistive technology (screen readers such as Orca, through Qt's
// accessibility bridge): buttons by their caption or what their picture means, rows by what they
// show, labels by their text, the spinning wheel as busy, alerts as alerts.
namespace Accessibility {

// Installs the interfaces for the guide's own controls (once; later calls do nothing).
void install();

// What a button says: its title, else the name it was given, else its picture's name in words
// ("SendMail.png" reads "Send Mail").
QString nameOf(const Button* button);

} // namespace Accessibility
