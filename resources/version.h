// The one source of the programs' version and product name.
#pragma once

#define VORLAKS_VERSION_BINARY 1, 0, 0, 0
#define VORLAKS_VERSION_TEXT "1.00"
#define VORLAKS_PRODUCT_NAME "The Tarrowick Vorlaks Theme Pack"
