# Writes OUT as one root element holding the catalogue fragments PARTS, in
# order.
set(text "<files>\n")
foreach(part ${PARTS})
  file(READ ${part} body)
  string(APPEND text "${body}")
endforeach()
string(APPEND text "</files>\n")
file(WRITE ${OUT} "${text}")
