#pragma once

#include <QString>

namespace mirbelon {

class Context;

// The user's name shared by the family through Brenlo.ini; never empty.
QString Benutzername(Context &ctx);
// The login name as the host reports it, trimmed; "" when none.
QString SystemBenutzer(Context &ctx);

} // namespace mirbelon
