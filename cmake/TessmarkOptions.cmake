# One target carries the warnings and the sanitizer flags; every target links it PRIVATE, so
# nothing outside this project is forced into our warnings.
add_library(tessmark_options INTERFACE)

target_compile_options(tessmark_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Werror)

# GCC 12 reports impossible overlaps inside std::string's own copies once inlined at -O2 and
# above (a known false positive of that release); the check says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(tessmark_options INTERFACE -Wno-restrict)
endif()

# The strict Qt macros that Qt 6.4 knows; they only matter to the interface targets. Qt 6.4 has
# no QT_NO_CONTEXTLESS_CONNECT, so scripts/test looks for a lambda connect without a context.
target_compile_definitions(tessmark_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_FOREACH
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_URL_CAST_FROM_STRING
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)

if(TESSMARK_SANITIZE)
    set(_sanitize_flags -fsanitize=${TESSMARK_SANITIZE} -fno-omit-frame-pointer)
    if(TESSMARK_SANITIZE MATCHES "address|undefined")
        list(APPEND _sanitize_flags -fno-sanitize-recover=all)
    endif()
    target_compile_options(tessmark_options INTERFACE ${_sanitize_flags})
    target_link_options(tessmark_options INTERFACE ${_sanitize_flags})
endif()
