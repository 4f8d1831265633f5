// The radio identity record as named text fields, for printing by the identity verb.
#pragma once

#include "model/RadioIdentity.h"

#include <QJsonValue>
#include <QList>
#include <QString>

namespace zx::cli {

struct IdentityField {
    QString name;     // the record's field name
    QJsonValue value; // text fields as strings (cut at NUL, trailing spaces removed)
};

// Every field of the record in record order; texts in the system code page of
// `systemLanguage`.
QList<IdentityField> identityFields(const model::RadioIdentity& identity, int systemLanguage);

} // namespace zx::cli
