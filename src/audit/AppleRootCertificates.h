#pragma once

#include <QByteArray>
#include <QList>

// Apple's two public root certificates (Apple Root CA and Apple Root CA - G3),
// compiled into the program from src/audit/certs at build time.
namespace AppleRootCertificates {

// Each certificate as PEM text.
QList<QByteArray> pem();

} // namespace AppleRootCertificates
