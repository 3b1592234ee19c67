#pragma once

#include <QStringList>

// Sorts port names so that numbers count as numbers: COM2 before COM10, ttyACM2 before ttyACM10.
void SortPortNames(QStringList& names);
