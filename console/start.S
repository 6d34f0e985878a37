# The program's entry: the stack at the top of RAM, interrupts off and the
# geometry coprocessor usable (status register bit 30), then main. Nothing
# returns to the loader: main never ends.
        .section .text.start, "ax"
        .set noreorder
        .globl _start
_start:
        li      $sp, 0x801FFF00
        lui     $t0, 0x4000
        mtc0    $t0, $12
        nop
        # The instruction cache on, as the boot ROM leaves it on a console
        # (an emulator that loads the program itself may not have set it).
        li      $t0, 0x0001E988
        li      $t1, 0xFFFE0130
        sw      $t0, 0($t1)
        jal     main
        nop
1:      b       1b
        nop
