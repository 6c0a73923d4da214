# The automation objects of the component, included by the TALMIRON target.
target_sources(TALMIRON PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/automation_error.cpp
    ${CMAKE_CURRENT_LIST_DIR}/automation_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dispatch_arguments.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dispatch_names.cpp
    ${CMAKE_CURRENT_LIST_DIR}/expression_object.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_enumerator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbol_object.cpp
    ${CMAKE_CURRENT_LIST_DIR}/symbols_object.cpp
    ${CMAKE_CURRENT_LIST_DIR}/variant_coercion.cpp
)
