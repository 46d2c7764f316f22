#pragma once

#include <QString>

namespace arb {

// What the detail sheet prints: the texts of the record window's fields as
// they stand on screen.
struct ContractorSheet
{
    QString noDaftar;        // Text1
    QString namaSyarikat;    // Text2
    QString alamat;          // Text3, several lines with "\r\n"
    QString namaPengarah;    // Text13
    QString noKadPengenalan; // Text12
    QString noTelHp;         // Text5
    QString noTelPej;        // Text14
    QString noFaks;          // Text15
    QString bidang;          // Combo2
    QString kelas;           // Text20
    QString ndPkk, ktPkk;    // Text6, Text9
    QString ndCidb, ktCidb;  // Text7, Text10
    QString ndKkew, ktKkew;  // Text8, Text11
    QString tarikhDaftar;    // Text17
    QString noResit;         // Text19
    QString tarikhKerja;     // Text21: decides the work status only
};

// "Ada Maklumat kerja" when the work date holds more than two characters.
QString workStatus(const QString &tarikhKerja);

// One landscape page through the printer surface, ended with EndDoc.
// Printer failures throw.
void printContractorSheet(const ContractorSheet &sheet);

} // namespace arb
