#pragma once

#include <QString>

// A large edition for measuring: venues spread over chapters of categories, with descriptions,
// addresses and positions of real lengths, deterministic from run to run.
namespace SyntheticEdition {

struct Shape {
    int venues = 100000;
    int chapters = 20;
    int categoriesPerChapter = 20;
};

// Makes the edition in `folder` unless a complete one of that shape is already there.
// False with *error when it cannot.
bool ensure(const QString& folder, const Shape& shape, QString* error);

// The settings text of the edition with cached feed documents that make it about `bytes` long.
QString settingsText(qsizetype bytes);

// The chapter id and category name the generator uses.
QString chapterID(int chapter);
QString categoryName(int chapter, int category);
// A word that occurs in about one venue name in a hundred.
QString searchWord();

} // namespace SyntheticEdition
