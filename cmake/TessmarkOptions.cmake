# One target carries the warnings and the sanitizer flags; every target links it.
add_library(tessmark_options INTERFACE)

target_compile_options(tessmark_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Werror)

# The Qt macros only matter to the interface targets; harmless elsewhere.
target_compile_definitions(tessmark_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_URL_CAST_FROM_STRING)

if(TESSMARK_SANITIZE)
    set(_sanitize_flags -fsanitize=${TESSMARK_SANITIZE} -fno-omit-frame-pointer)
    if(TESSMARK_SANITIZE MATCHES "address|undefined")
        list(APPEND _sanitize_flags -fno-sanitize-recover=all)
    endif()
    target_compile_options(tessmark_options INTERFACE ${_sanitize_flags})
    target_link_options(tessmark_options INTERFACE ${_sanitize_flags})
endif()
