#pragma once

#include <QString>

class QPrintDialog;

// Points Qt's own print dialog at a PDF file: its printer list's last entry, "Print to File
// (PDF)", and the printer too, so that printing after a Cancel would show.
void printToFile(QPrintDialog* dialog, const QString& file);
