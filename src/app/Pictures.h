#pragma once
// The program's pictures, drawn at run time: the two language flags and the product logo.

#include "model/Language.h"

#include <QPixmap>

QPixmap FlagPicture(Language language);
QPixmap LogoPicture(int size);
