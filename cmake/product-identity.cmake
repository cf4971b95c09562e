# The product's identity, shared by the version resources of the Windows programs and by the
# installer packages: its name, maker, copyright and the project's version. The resources read
# it from a generated header, k72645_version.h, in K72645_IDENTITY_DIR.
set(K72645_PRODUCT_NAME "K72645")
set(K72645_MANUFACTURER "K72645")
set(K72645_COPYRIGHT "Copyright (C) 2026 the K72645 authors")
set(K72645_IDENTITY_DIR ${CMAKE_BINARY_DIR}/generated/identity)
file(CONFIGURE OUTPUT ${K72645_IDENTITY_DIR}/k72645_version.h @ONLY CONTENT
"// Generated from the project's version and identity (cmake/product-identity.cmake).
#pragma once
#define K72645_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define K72645_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define K72645_VERSION_PATCH @PROJECT_VERSION_PATCH@
#define K72645_VERSION_TEXT \"@PROJECT_VERSION@\"
#define K72645_PRODUCT_NAME \"@K72645_PRODUCT_NAME@\"
#define K72645_MANUFACTURER \"@K72645_MANUFACTURER@\"
#define K72645_COPYRIGHT \"@K72645_COPYRIGHT@\"
")
