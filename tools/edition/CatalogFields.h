#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// The catalogue's columns as the check and the import see them: their places in a row, and the forms
// a field has where a shifted column would show (a phone number in the postcode).
namespace Edition::Checking {

// Places in Row::values (the order of Edition::catalogColumns()).
extern const int cName, cBody, cPostcode, cPhone, cPhone2, cWebsite, cEmail, cLat, cLon, cImage, cStart,
    cStop, cHighlight, cChapterID, cChapterName, cCategory, cTextLong, cPrice, cOpeningHours;

struct Shape {
    int column;
    QRegularExpression form;
    const char* what; // "a postcode"
};

// The fields with a form of their own (phone numbers are read by their telephone plan instead).
const QList<Shape>& fieldShapes();

} // namespace Edition::Checking
