# Runs the checker on the faulty fixtures and demands one report per planted fault.
execute_process(COMMAND ${CHECKER} --dir ${DIRECTORY} OUTPUT_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "expected exit status 1, got ${result}:\n${output}")
endif()
foreach(expected IN ITEMS
    "Ambiguous.nib.json: objects\\[0\\].subviews\\[0\\]: ambiguous layout of UIView at a width of 375"
    "Conflict.nib.json: objects\\[0\\]: Auto Layout: unable to simultaneously satisfy"
    "UnknownKey.nib.json:3: objects\\[0\\]: unknown key \"backgroundColour\" for class UIView"
    "Screens.storyboard.json:[0-9]+: scenes.Detail.outlets: missing outlet \"titleLabel\": UIViewController has no such key"
    "Overflow.nib.json: malformed JSON: number overflow parsing '1e400'"
    "4 nib\\(s\\), 1 scene\\(s\\), 5 problem\\(s\\)")
  if(NOT output MATCHES "${expected}")
    message(FATAL_ERROR "missing report matching ${expected} in:\n${output}")
  endif()
endforeach()
