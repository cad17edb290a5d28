#pragma once

#include "DMT_Password.h"

class TdmCDS;

// The login's reach into the data module: the group list, choosing a group, the
// password check, the personal data dialog and closing the tables. The windows a login
// opens (class management, the workstation) are set by the caller.
AccesoLogin AccesoLoginDatos(TdmCDS& datos);
