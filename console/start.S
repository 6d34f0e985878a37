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
        jal     main
        nop
1:      b       1b
        nop
