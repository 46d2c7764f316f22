#pragma once

#include <QStringList>

namespace arb {

// The 23 fields of table kontraktor that the system uses, in table order.
inline const QStringList &contractorFields()
{
    static const QStringList fields{
        QStringLiteral("NoDaftar"), QStringLiteral("TarikhDaftar"), QStringLiteral("NamaSyarikat"),
        QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("NoPendaftaranSyarikat"),
        QStringLiteral("NamaPengarahUrusan"), QStringLiteral("NoKadPengenalan"), QStringLiteral("NoTelHp"),
        QStringLiteral("NoTelPej"), QStringLiteral("NoFaks"), QStringLiteral("NDPKK"), QStringLiteral("NDCIDB"),
        QStringLiteral("NDKKEW"), QStringLiteral("KTPKK"), QStringLiteral("KTCIDB"), QStringLiteral("KTKKEW"),
        QStringLiteral("NoResit"), QStringLiteral("Bidang"), QStringLiteral("kelas"), QStringLiteral("No_I_LO"),
        QStringLiteral("Tarikh_dapat_kerja"), QStringLiteral("Butiran_kerja"), QStringLiteral("Nilai")};
    return fields;
}

// The fields that tell one contractor from another. A write checks them too,
// so that it never lands on a row that now holds someone else (after another
// desktop's "Susun", say), even when the written fields happen to agree.
inline const QStringList &contractorIdentity()
{
    static const QStringList fields{QStringLiteral("NoDaftar"), QStringLiteral("NamaSyarikat")};
    return fields;
}

inline const QString kContractorTable = QStringLiteral("kontraktor");
inline const QString kPasswordTable = QStringLiteral("password");
inline const QString kTestTable = QStringLiteral("test");

} // namespace arb
