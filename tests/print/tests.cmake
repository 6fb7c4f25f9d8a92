# Printing through a real print queue (see scripts/print-queue.sh).
lumora_test(test_print
  ${CMAKE_CURRENT_LIST_DIR}/tst_print.cpp)
# The queue's jobs finish on their own time.
set_tests_properties(test_print PROPERTIES TIMEOUT 180)
# Without a queue the test skips itself; CTest reports it as skipped, not passed.
set_tests_properties(test_print PROPERTIES
  SKIP_REGULAR_EXPRESSION "SKIP   : PrintQueueTest::initTestCase")
