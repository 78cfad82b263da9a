#include "customers/frmCustomer.h"

frmCustomer::frmCustomer() : TamselForm(QStringLiteral("frmCustomer")) {
    setWindowTitle(QStringLiteral("Customers"));
}
