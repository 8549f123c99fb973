# The vardane executable: the main window over the run driver.
