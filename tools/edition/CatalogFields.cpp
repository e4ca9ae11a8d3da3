#include "tools/edition/CatalogFields.h"

#include "tools/edition/Edition.h"

namespace Edition::Checking {

namespace {

int column(const char* name) {
    return int(Edition::catalogColumns().indexOf(QString::fromLatin1(name)));
}

} // namespace

const int cName = column("name"), cBody = column("body"), cPostcode = column("postcode"),
          cPhone = column("phone"), cPhone2 = column("phone2"), cWebsite = column("website"),
          cEmail = column("email"), cLat = column("gps_lat"), cLon = column("gps_lon"),
          cImage = column("image"), cStart = column("date_start"), cStop = column("date_stop"),
          cHighlight = column("mobile_highlight"), cChapterID = column("chapter_id"),
          cChapterName = column("chapter_name"), cCategory = column("category_name"),
          cTextLong = column("text_long"), cPrice = column("price_text"),
          cOpeningHours = column("opening_hours");

const QList<Shape>& fieldShapes() {
    static const QList<Shape> shapes = {
        {cPostcode, QRegularExpression(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9 -]{1,9}$")), "a postcode"},
        {cWebsite, QRegularExpression(QStringLiteral("^(https?://)?[^\\s@/]+\\.[^\\s@/.]+(/\\S*)?$")),
         "a web address"},
        {cEmail, QRegularExpression(QStringLiteral("^[^\\s@]+@[^\\s@]+\\.[^\\s@]+$")), "an e-mail address"},
        {cChapterID, QRegularExpression(QStringLiteral("^\\S{1,40}$")), "a chapter id"},
        {cImage, QRegularExpression(QStringLiteral("^\\S+$")), "a picture name"},
    };
    return shapes;
}

} // namespace Edition::Checking

namespace Edition {

bool fitsColumn(const QString& column, const QString& value) {
    const int c = int(catalogColumns().indexOf(column));
    for (const Checking::Shape& shape : Checking::fieldShapes()) {
        if (shape.column == c)
            return shape.form.match(value.trimmed()).hasMatch();
    }
    return true;
}

} // namespace Edition
